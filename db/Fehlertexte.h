#pragma once
// German reasons for the database engine's errors. The common causes of a
// failed write get a sentence of their own; for the rest the engine's own
// text follows as the last line.

#include <QString>

namespace Fehlertexte {

/// The reason for an engine error: its extended result code, the operating
/// system's error number behind it (0 when none) and its own text.
QString ausEngine(int erweiterterCode, int systemFehler, const QString& engineText);

/// The standing notice for a database that cannot be written (empty when it can).
QString schreibschutzHinweis(bool dateiSchreibgeschuetzt, bool ordnerSchreibgeschuetzt);

// The sentences themselves, for the windows and the tests.
QString dateiSchreibgeschuetzt();
QString ordnerSchreibgeschuetzt();
QString datentraegerVoll();
QString gesperrt();
QString beschaedigt();

} // namespace Fehlertexte
