#pragma once
// A journal beside "aktien.mdb" at start. The engine rolls any journal it
// finds into the file, also one left from a killed write beside a backup that
// the user has since copied over the file: that destroys the backup. So the
// file and its journal are copied first; when the file does not pass the
// engine's quick check after the rollback, the untouched file is put back and
// the journal is moved aside under a dated name. A journal of this very file
// (a write killed midway) is rolled back as the engine does it.

#include "db/Database.h"
#include <QDate>
#include <QString>

namespace Journalpruefung {

struct Ergebnis {
    /// False: the start must not go on (the copies could not be made); the
    /// file and its journal are as they were.
    bool weiter = true;
    /// German text for the user when something was found or the start ends.
    QString meldung;
};

/// Run before the program's connection opens pfad, while nobody else uses
/// the file. heute dates the name of a journal moved aside.
Ergebnis vorDemOeffnen(const QString& pfad, const QDate& heute,
                       const QString& connect = QString::fromLatin1(Database::ConnectText));

/// The name of the journal beside pfad.
QString journalName(const QString& pfad);

} // namespace Journalpruefung
