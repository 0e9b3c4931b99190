#pragma once
// The arithmetic of the two package corrections, stock split and merging of
// packages, on typed values. Units are 32-bit in this program: results
// outside 1 … 2,147,483,647 pieces are refused rather than cut.

#include "core/Currency.h"
#include <QList>
#include <QString>
#include <optional>

namespace Paketkorrektur {

inline constexpr qint64 MaxStueck = 2147483647;

/// betrag / faktor to four decimals, halves to even. nullopt for a factor of
/// 0 or below, or a result beyond the range of a currency value.
std::optional<Currency> geteilt(Currency betrag, Currency faktor);

/// The amount as it is stored after formatting "0.00": two decimals, halves
/// away from zero.
Currency zweiStellen(Currency betrag);

/// A price or quote after a split: divided to four decimals, then to "0.00".
std::optional<Currency> splitKurs(Currency betrag, Currency faktor);

/// stueck × faktor rounded to whole units, halves to even (3 × 2,5 → 8,
/// 5 × 2,5 → 12). nullopt when the result lies outside 1 … MaxStueck.
std::optional<qint64> splitStueck(qint64 stueck, Currency faktor);

/// One package taking part in a merge, in table order.
struct Teil {
    qint64 stueck = 0;
    Currency kaufpreis;
    Currency gebuehren;
    Currency dividende;
    QString notizen; ///< as stored (RTF or plain text)
};

struct Buendel {
    qint64 stueck = 0;
    Currency gebuehren;
    Currency dividende;
    Currency kaufpreis; ///< weighted average, "0.00"
    QString notizen;    ///< empty = none
};

/// Sums pieces, fees and dividends; the purchase price is the cost
/// (Σ kaufpreis × stück) over the pieces, to four decimals and then "0.00".
/// The notes that hold text are joined in order, an empty line between
/// them. nullopt when the pieces fall outside 1 … MaxStueck or a sum leaves
/// the range of a currency value.
std::optional<Buendel> buendeln(const QList<Teil>& teile);

} // namespace Paketkorrektur
