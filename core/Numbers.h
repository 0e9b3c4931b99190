#pragma once
// Formatting and reading of amounts, and the DM/Euro conversion.

#include "core/Currency.h"
#include <QString>
#include <optional>

namespace Numbers {

/// 1 Euro = 1.95583 DM.
inline constexpr double DmRate = 1.95583;

/// "0.00" with the decimal comma, halves away from zero (0.005 -> "0,01").
QString format00(double value);
inline QString format00(Currency c) { return c.format00(); }

/// Locale conversion (German): "12,5" -> 12.5; a "." is taken as thousands
/// separator the way the German locale reads it. Empty or malformed -> nullopt.
std::optional<double> parseLocale(const QString& text);
/// The same, straight from the digits into a currency value (rounded to four
/// decimals, halves to even); never through double. nullopt also when the
/// value lies beyond the 64-bit range.
std::optional<Currency> parseCurrency(const QString& text);
/// The same rounded to whole cents as "0.00" rounds (halves away from zero),
/// from the typed digits: 12,346 -> 12,35 and 0,00499 -> 0,00.
std::optional<Currency> parseCents(const QString& text);

/// What a text holds when it is read as a number.
enum class Reading { Number, Empty, NotANumber, TooLarge };

struct AmountReading {
    Reading reading = Reading::Empty;
    Currency value; ///< valid for Reading::Number
};
/// Reads an amount as parseCurrency (decimals 4) or parseCents (decimals 2)
/// do, and tells an empty or malformed text from one beyond the 64-bit range.
AmountReading readAmount(const QString& text, int decimals = 4);

struct WholeReading {
    Reading reading = Reading::Empty;
    bool whole = true;  ///< false when the text holds decimals other than zeros
    qint64 value = 0;   ///< valid for Reading::Number with whole
};
/// Reads a whole number ("12", "12,0", "-3"); "12,5" reads with whole = false.
WholeReading readWhole(const QString& text);

/// Leading-number conversion: first "," becomes "."; then the longest leading
/// [blanks][sign]digits[.digits] is read; nothing readable gives 0.
double leadingNumber(const QString& text);
/// The same straight into a currency value (four decimals, halves to even);
/// nullopt when the number lies beyond the 64-bit range.
std::optional<Currency> leadingCurrency(const QString& text);

/// Euro -> DM (× 1.95583) and DM -> Euro (÷ 1.95583), rounded to four
/// decimals, halves to even. Computed exactly on the integer amounts, so large
/// amounts keep every digit; a result beyond the 64-bit range saturates
/// (use the checked forms where that can happen).
Currency euroToDm(Currency euro);
Currency dmToEuro(Currency dm);
std::optional<Currency> euroToDmChecked(Currency euro);
std::optional<Currency> dmToEuroChecked(Currency dm);

/// Amount "0.00" followed by " DM" / " Euro".
inline QString dmText(Currency dm) { return dm.format00() + QStringLiteral(" DM"); }
inline QString euroText(Currency euro) { return euro.format00() + QStringLiteral(" Euro"); }

/// The DM equivalent shown for a Euro text: read with the locale conversion
/// (a decimal point is accepted too), × 1.95583, "0.00" + " DM". Empty when
/// the text holds no number.
QString dmEquivalentText(const QString& euroText);

/// Replaces the first "," by "." (the two total labels always show a point).
QString withDecimalPoint(const QString& text);

/// A typed decimal as text with a decimal point, for leadingNumber(): a text
/// holding both "." and "," takes its points as thousands separators and its
/// comma as the decimal sign ("1.234,5" -> "1234.5"); any other text gets its
/// first "," turned into "." ("1234,5" -> "1234.5", "12.5" stays).
QString pointDecimal(const QString& text);

} // namespace Numbers
