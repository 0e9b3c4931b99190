#pragma once
// The check of "aktien.mdb" at start: the engine's quick check of every page
// and the one settings row. A damaged file opens without a word otherwise,
// shows an empty depot and takes new bookings into its damaged pages.

#include "db/Database.h"
#include <QString>

namespace Dateipruefung {

struct Ergebnis {
    bool ok = false;
    QString meldung; ///< German text when !ok
};

/// Checks the file on a connection of its own that only reads, so it may run
/// on any thread while the program's connection is open.
Ergebnis pruefen(const QString& pfad,
                 const QString& connect = QString::fromLatin1(Database::ConnectText));

/// Adds the indexes a file made by an earlier version lacks, on a connection
/// of its own. Only for a file that passed pruefen(); a file that cannot be
/// written is left as it is.
void nachruesten(const QString& pfad,
                 const QString& connect = QString::fromLatin1(Database::ConnectText));

} // namespace Dateipruefung
