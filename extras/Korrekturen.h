#pragma once
// Stock split and merging of packages without any widget. Each is checked
// first (so a refusal comes before the question) and then written as one
// transaction: every row of the operation changes, or none.

#include "core/Currency.h"
#include "core/ModulAktien.h"
#include <QString>
#include <functional>
#include <optional>

class Database;

namespace Korrekturen {

struct Ergebnis {
    bool ok = false;
    QString fehler;    ///< German text when !ok
    Bookmark neu = -1; ///< merge: the new package
};

// ---- Stock split --------------------------------------------------------------

QString splitFrage();
QString splitErfolgText();
QString faktorUngueltigText();

/// The factor as typed ("2,5"); nullopt when it is no number above 0.
std::optional<Currency> splitFaktor(const QString& text);

/// Why a split of the trimmed name by faktor is refused (empty = possible):
/// no package of that name, or a package whose pieces or prices leave the
/// program's range.
QString splitPruefen(Database& db, const QString& name, Currency faktor);

/// Splits every package of the trimmed name: purchase price, quote, previous
/// quote, target and stop price ÷ faktor written as "0.00", pieces × faktor
/// rounded half to even; and every quote of that name in kurse ÷ faktor as
/// "0.00", once.
/// nachSchritt (for tests) runs after each write inside the transaction.
Ergebnis splitDurchfuehren(Database& db, const QString& name, Currency faktor,
                           const std::function<void(int)>& nachSchritt = {});

// ---- Merging ------------------------------------------------------------------

QString nurEinPaketText();
/// The three-line question with the package count.
QString buendelFrage(int anzahl);
QString buendelErfolgText();

/// Packages whose "WP-KNummer" equals kennummer.
int paketeMitKennummer(Database& db, const QString& kennummer);

/// Why merging the packages of kennummer is refused (empty = possible).
QString buendelnPruefen(Database& db, const QString& kennummer);

/// Replaces every package of kennummer by one appended package: summed
/// pieces, fees and dividends, the weighted average price "0.00", the notes
/// that hold text joined; target and stop price each the last set one; name,
/// number, quote, previous quote and dates from the last of them in table
/// order.
Ergebnis buendeln(Database& db, const QString& kennummer,
                  const std::function<void(int)>& nachSchritt = {});

} // namespace Korrekturen
