#pragma once
// Backups of "aktien.mdb" in the folder "Sicherungen" of the program
// directory: one a day after a successful start, and one of the file that a
// compaction replaces. Each copy is the encrypted file byte for byte, written
// under a temporary name and renamed into place; the newest ten are kept.

#include <QDate>
#include <QString>
#include <QStringList>

class Database;
class MainWindowApi;

namespace Sicherung {

inline constexpr int Behalten = 10;
inline constexpr const char* Ordner = "Sicherungen";

enum class Art {
    Taeglich,        ///< "aktien-2024-03-15.mdb", at most one a day
    VorKomprimierung, ///< "aktien-2024-03-15-vor-Komprimierung.mdb", the file before compaction
    /// "aktien-2024-03-15-vor-Wiederherstellung.mdb", the file a restore replaces;
    /// a second one that day gets "-2", "-3", … so none is overwritten.
    VorWiederherstellung
};

/// The backup's file name for that day.
QString dateiName(const QDate& tag, Art art);

/// The backups in `ordner` (file names), newest first: by the day in the
/// name, then by the time of writing. Other files there are not counted.
QStringList vorhandene(const QString& ordner);

/// Copies the open database `db` into "Sicherungen" beside it and then
/// removes all but the newest Behalten backups. A daily backup is left out
/// when there is one of `heute` already. Returns an empty string on success,
/// else the German status-bar line; a failure leaves no partial file behind
/// and never touches the database.
QString anlegen(Database& db, const QDate& heute, Art art);

/// Copies a file byte for byte into a new file (never over one), with the
/// source's mode, and writes it to the disk. False on any failure.
bool kopieren(const QString& quellPfad, const QString& zielPfad);
/// Makes a finished rename in the folder survive a power loss.
void ordnerSichern(const QString& ordner);

/// The daily backup after the start: on failure the line is shown once in the
/// main window's status bar (after the load has set its own notice).
void taeglich(MainWindowApi& haupt);

} // namespace Sicherung
