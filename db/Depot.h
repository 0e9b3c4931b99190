#pragma once
// Small database rules several windows share. Callers wrap them in a
// Transaction with their other writes and requery their record sets after.

#include "core/Currency.h"
#include <QDate>
#include <QString>
#include <optional>

class Database;

namespace Depot {

/// Balance of the depot account: the exact sum of Gewinne.summe (DM);
/// nullopt when the sum cannot be formed (it leaves the 64-bit range) or the
/// ledger cannot be read. Never a wrong number.
std::optional<Currency> kontostand(Database& db);
/// The message shown when the balance cannot be formed.
QString kontostandFehlerText();

/// The portfolio totals: Σ stück × tageskurs and Σ (stück × kaufpreis + gebühren).
struct Summen {
    Currency wert;
    Currency kauf;
};
/// Computed exactly in checked integer arithmetic; nullopt when a product
/// or a sum leaves the 64-bit range or the packages cannot be read.
std::optional<Summen> summen(Database& db);
/// The message shown when the totals cannot be formed.
QString summenFehlerText();

/// The day baseline: when kennwort.datum is a valid day other than heute and
/// altallwert differs from the current total, both are set to heute and that
/// total. An empty or unreadable datum changes nothing. False only on a
/// database error.
bool tagesbasisAktualisieren(Database& db, const QDate& heute, Currency aktuellerGesamtwert);

/// The day baseline as stored, for an operation that runs the rule above
/// for many quotes in turn and writes the end state once.
struct Tagesbasis {
    qint64 nr = 0; ///< the settings row
    QDate datum;
    Currency altallwert;
};
/// nullopt without a settings row; *ok false when it cannot be read.
std::optional<Tagesbasis> tagesbasisLesen(Database& db, bool* ok);
/// The rule of tagesbasisAktualisieren: moves b to heute and the total when
/// a quote update on heute with that total moves it; true when it did.
bool tagesbasisFortschreiben(Tagesbasis& b, const QDate& heute, Currency aktuellerGesamtwert);
bool tagesbasisSchreiben(Database& db, const Tagesbasis& b);

/// kennwort.altallwert += deltaEuro (purchases raise it, sales lower it).
/// False on a database error or when the new value would leave the 64-bit range.
bool altallwertAnpassen(Database& db, Currency deltaEuro);

/// Number of packages whose trimmed name equals the trimmed name.
int paketeMitNamen(Database& db, const QString& name);

/// Deletes the quote history of a name (rows of kurse with that trimmed name).
bool kursHistorieLoeschen(Database& db, const QString& name);

/// Appends one quote to kurse.
bool kursAnhaengen(Database& db, const QString& name, const QDate& datum, Currency kurs);

} // namespace Depot
