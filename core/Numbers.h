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
/// The same, straight into a currency value (rounded to four decimals, halves to even).
std::optional<Currency> parseCurrency(const QString& text);

/// Leading-number conversion: first "," becomes "."; then the longest leading
/// [blanks][sign]digits[.digits] is read; nothing readable gives 0.
double leadingNumber(const QString& text);

/// Euro -> DM and DM -> Euro, computed in double, converted to currency.
Currency euroToDm(Currency euro);
Currency dmToEuro(Currency dm);

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
