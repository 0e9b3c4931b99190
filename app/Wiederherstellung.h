#pragma once
// Restoring a backup from "Sicherungen": what each backup holds, read from
// the file itself, and putting one in the place of "aktien.mdb" after the
// present state has been kept as a backup of its own.

#include "core/Currency.h"
#include <QDate>
#include <QList>
#include <QString>
#include <functional>

class Database;

namespace Wiederherstellung {

struct Stand {
    QString pfad;
    QDate tag;          ///< from the file name
    qint64 groesse = 0; ///< bytes
    bool beschaedigt = true;
    bool passwort = false; ///< encrypted with a password: opens only with it

    int pakete = 0;
    Currency wert; ///< total value of the packages, Euro
};

/// Told, from any thread, how many of the backups have been read.
using Gelesen = std::function<void(int fertig, int alle)>;

/// The backups in ordner, newest first. A file that does not open with
/// connect or fails the engine's quick check is beschaedigt. The files are
/// read on as many threads as there are processors.
QList<Stand> liste(const QString& ordner, const QString& connect, const Gelesen& gelesen = {});

/// Opens the file with connect, or else with the program's key, and checks
/// it; false when it is damaged. A file encrypted with a password it cannot
/// open is not damaged when its marker says so: it is marked `passwort`,
/// and what it holds stays unread.
bool lesen(Stand& s, const QString& connect);

/// "1,5 MB", "820 KB".
QString groesseText(qint64 bytes);

/// The question before a restore.
QString frage(const QDate& tag);

/// Puts the backup in the place of the open database's file: the present
/// file is kept as "aktien-<heute>-vor-Wiederherstellung.mdb", the backup is
/// copied in under a temporary name, checked and renamed into place, the old
/// file's journals are removed, and the database is opened anew (the undo
/// list is then empty). The caller has closed its record sets. Returns the
/// German reason of a failure, after which the present file is as it was and
/// the database is open; empty on success. A backup encrypted with another
/// key than the present file is opened with the program's key or with
/// `passwort`; the database is then open with the backup's key.
QString wiederherstellen(Database& db, const QString& sicherung, const QDate& heute,
                         const QString& passwort = {});

/// The text when `passwort` does not open the chosen backup.
QString falschesPasswortText();

} // namespace Wiederherstellung
