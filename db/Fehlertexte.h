#pragma once
// German reasons for the database engine's errors. The common causes of a
// failed write get a sentence of their own, every other code a German
// description with its number; the engine's own (English) text never reaches
// the user.

#include <QString>

struct sqlite3;

namespace Fehlertexte {

/// The reason for an engine error: its extended result code, the operating
/// system's error number behind it (0 when none) and its own text, which is
/// not shown.
QString ausEngine(int erweiterterCode, int systemFehler, const QString& engineText);
/// The same for the last error on a connection.
QString ausVerbindung(sqlite3* db);

/// The standing notice for a database that cannot be written (empty when it can).
QString schreibschutzHinweis(bool dateiSchreibgeschuetzt, bool ordnerSchreibgeschuetzt);

// The sentences themselves, for the windows and the tests.
QString dateiSchreibgeschuetzt();
QString ordnerSchreibgeschuetzt();
QString datentraegerVoll();
QString gesperrt();
QString beschaedigt();
QString dateiNichtZuOeffnen();

} // namespace Fehlertexte
