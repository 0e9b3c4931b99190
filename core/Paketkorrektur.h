#pragma once
// The arithmetic of the two package corrections, stock split and merging of
// packages, on typed values. A package's units stay within the one range the
// purchase and edit windows take (Eingabe::MaxStueck): a result outside
// 1 … that many pieces is refused rather than cut, so that the package can
// be edited and saved again afterwards.

#include "core/Currency.h"
#include <QList>
#include <QString>
#include <optional>

namespace Paketkorrektur {

/// betrag / faktor to four decimals, halves to even. nullopt for a factor of
/// 0 or below, or a result beyond the range of a currency value.
std::optional<Currency> geteilt(Currency betrag, Currency faktor);

/// The amount as it is stored after formatting "0.00": two decimals, halves
/// away from zero.
Currency zweiStellen(Currency betrag);

/// A price or quote after a split: divided to four decimals, then to "0.00".
std::optional<Currency> splitKurs(Currency betrag, Currency faktor);

/// A target or stop price (a double column) after a split, rounded as the
/// prices are; 0 stays 0. nullopt when it lies beyond the range of a
/// currency value.
std::optional<double> splitGrenzkurs(double kurs, Currency faktor);

/// stueck × faktor rounded to whole units, halves to even (3 × 2,5 → 8,
/// 5 × 2,5 → 12). nullopt when the result lies outside 1 …
/// Eingabe::MaxStueck; *zuGross then tells whether it lies above.
std::optional<qint64> splitStueck(qint64 stueck, Currency faktor, bool* zuGross = nullptr);

/// One package taking part in a merge, in table order.
struct Teil {
    qint64 stueck = 0;
    Currency kaufpreis;
    Currency gebuehren;
    Currency dividende;
    QString notizen;     ///< as stored (RTF or plain text)
    double kursziel = 0; ///< 0 = none
    double stopkurs = 0; ///< 0 = none
};

struct Buendel {
    qint64 stueck = 0;
    Currency gebuehren;
    Currency dividende;
    Currency kaufpreis;  ///< weighted average, "0.00"
    QString notizen;     ///< empty = none
    double kursziel = 0; ///< the last package's that has one; 0 = none
    double stopkurs = 0; ///< likewise
};

/// Sums pieces, fees and dividends; the purchase price is the cost
/// (Σ kaufpreis × stück) over the pieces, to four decimals and then "0.00".
/// The notes that hold text are joined in order, an empty line between
/// them. Target and stop price are each the last set one, so that a later
/// package without them does not clear them. nullopt when the pieces fall
/// outside 1 … Eingabe::MaxStueck or a sum leaves the range of a currency
/// value.
std::optional<Buendel> buendeln(const QList<Teil>& teile);

} // namespace Paketkorrektur
