#pragma once
// The check of "aktien.mdb" at start: the engine's quick check of every page
// and the one settings row. A damaged file opens without a word otherwise,
// shows an empty depot and takes new bookings into its damaged pages.

#include "db/Database.h"
#include <QString>

namespace Dateipruefung {

struct Ergebnis {
    bool ok = false;
    QString meldung;          ///< German text when !ok
    bool jedeSeite = true;    ///< false: the file was as the program left it whole
};

/// Checks the file on a connection of its own that only reads, so it may run
/// on any thread while the program's connection is open. Every page is read
/// unless the file is unberuehrt(); a whole file read in full is noted so.
Ergebnis pruefen(const QString& pfad,
                 const QString& connect = QString::fromLatin1(Database::ConnectText));

/// Adds the indexes a file made by an earlier version lacks, on a connection
/// of its own. Only for a file that passed pruefen(); a file that cannot be
/// written is left as it is.
void nachruesten(const QString& pfad,
                 const QString& connect = QString::fromLatin1(Database::ConnectText));

/// The file is exactly as the program last knew it whole: read in full
/// without a fault, or closed at the end of a session that began so, and not
/// written, copied over, replaced or restored since (its device, inode, size
/// and both times are those noted beside it in "aktien.mdb.geprueft"). A
/// journal beside it means a write was cut short: never unberuehrt then.
bool unberuehrt(const QString& pfad);
/// Notes the file's present state as whole. Nothing is noted for a file a
/// connection of this program found damaged.
void alsHeilMerken(const QString& pfad);
/// The note beside the file, for the tests.
QString merkPfad(const QString& pfad);

/// Set when any connection of this program met a damaged page or a failed read.
void schadenMelden();

} // namespace Dateipruefung
