#pragma once
// The watch list's reads and writes: Beobachten (one row per watched
// security, fields by position) and its quote history KurseVirtuell, linked
// by the trimmed name. Nothing here touches the portfolio's tables.

#include "core/Beobachtung.h"
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class Database;
class Recordset;

namespace Beobachtungsliste {

/// Field positions of Beobachten.
enum Feld { Datum = 0, Aktie = 1, WpKn = 2, Stueck = 3, Kaufkurs = 4, Kurs = 5 };

/// Newest quotes a chart shows.
inline constexpr int ChartKurse = 30;

/// Every row of Beobachten in natural order, read through leser (a record
/// set on Beobachten of the caller's own, re-read first).
QList<BeobachtetePosition> lesen(Recordset& leser);

struct Ergebnis {
    bool ok = true;
    QString fehler; ///< German, for the user
};

/// Why text cannot be stored in field feld: a number of pieces (Stueck) beyond
/// the range or below 0, a price (Kaufkurs, Kurs; kept with two decimals)
/// beyond the range, below 0 or no number. Empty when it can, and for the
/// other fields. The windows ask this before their question.
QString bereichPruefen(int feld, const QString& text);

/// A new entry: its row (the current price starts as the purchase price)
/// and its first quote of heute, in one transaction. The texts are taken as
/// typed; one that does not fit its field refuses the whole entry.
Ergebnis eintragAnlegen(Database& db, Recordset& daten1, const QDate& datum, const QString& aktie,
                        const QString& wpkn, const QString& stueck, const QString& kaufkurs,
                        const QDate& heute);

/// Stores the answer of the cell edit into field feld (0, 2, 3, 4 or 5) of
/// daten1's current row. Prices are kept with two decimals; a new current
/// price also becomes a quote of heute, in the same transaction. An answer
/// that does not fit the field changes nothing and says why.
Ergebnis feldAendern(Database& db, Recordset& daten1, int feld, const QString& antwort,
                     const QDate& heute);

/// Deletes the last row whose name equals name and every quote of the
/// trimmed name (also those another entry of that name shares), in one transaction.
Ergebnis eintragLoeschen(Database& db, Recordset& daten1, const QString& name);

/// The bookmark of the last row whose name equals name; -1 when none.
qint64 letzterMitNamen(Recordset& daten1, const QString& name);

/// The newest ChartKurse quote texts of the trimmed name, oldest first.
QStringList chartKurse(Database& db, const QString& name);

/// Whether KurseVirtuell holds at least two rows.
bool mindestensZweiKurse(Database& db);

/// Appends one quote.
bool kursAnhaengen(Database& db, const QString& aktie, const QDate& datum, const QString& kurs);

} // namespace Beobachtungsliste
