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
inline QString format00(Currency c) {
    return c.format00();
}

// ---- Reading numbers --------------------------------------------------------
// One reader for every text the program turns into a number. Where the text
// comes from decides how a point reads; the mode names the source.

enum class Mode {
    /// A number field as typed: an optional sign, digits with optional
    /// thousands points in groups of three, an optional decimal comma with
    /// decimals, blanks or tabs around. Nothing else: "12.5" is no number
    /// (the field itself turns a typed point into the comma).
    Field,
    /// Text a number column holds (a file written by another program): read
    /// as Field, with any white space around.
    Stored,
    /// The index field, which keeps a typed point: with a comma, the points
    /// are thousands points and the first comma is the decimal sign; without
    /// one, points that each stand before exactly three digits after a first
    /// group of one to three ("12.345", "1.234.567") are thousands points;
    /// else the first point is the decimal sign ("12.5", "12.3456"). Read
    /// as the leading number: what follows it is ignored.
    Index,
    /// The leading-number conversion: the first "," becomes "."; the longest
    /// leading [blanks][sign]digits[.digits] is the number; what follows it is
    /// ignored ("12,5 DM" -> 12.5).
    Leading,
    /// The calculator's display: a decimal comma and an optional exponent
    /// ("1,5e+20"); a comma without decimals while typing ("12,").
    Display,
};

/// What a text holds when it is read as a number.
enum class Reading { Number, Empty, NotANumber, TooLarge };

struct AmountReading {
    Reading reading = Reading::Empty;
    Currency value; ///< valid for Reading::Number
};
/// An amount rounded to decimals (4: halves to even, as stored; 2: whole
/// cents as "0.00" rounds, halves away from zero), straight from the digits,
/// never through double. TooLarge beyond the 64-bit range.
AmountReading readAmount(const QString& text, int decimals = 4, Mode mode = Mode::Field);

struct ScaledReading {
    Reading reading = Reading::Empty;
    std::int64_t value = 0; ///< valid for Reading::Number
};
/// The number × 10^decimals rounded to a whole number, halves to even
/// (decimals 0: whole units, as a whole-number column takes "12,5").
ScaledReading readScaled(const QString& text, int decimals, Mode mode);

struct WholeReading {
    Reading reading = Reading::Empty;
    bool whole = true; ///< false when the text holds decimals other than zeros
    qint64 value = 0;  ///< valid for Reading::Number with whole
};
/// Reads a whole number ("12", "12,0", "-3"); "12,5" reads with whole = false.
WholeReading readWhole(const QString& text, Mode mode = Mode::Field);

/// The number as a double; nullopt when the text holds none or one beyond
/// the double range.
std::optional<double> readDouble(const QString& text, Mode mode);

/// readAmount with four decimals: the value, or nullopt for anything else.
std::optional<Currency> parseCurrency(const QString& text, Mode mode = Mode::Field);
/// readAmount with two decimals: 12,346 -> 12,35 and 0,00499 -> 0,00.
std::optional<Currency> parseCents(const QString& text);

/// The leading-number conversion as a double; nothing readable gives 0.
double leadingNumber(const QString& text);
/// The same straight into a currency value (four decimals, halves to even);
/// nothing readable gives 0, nullopt when the number lies beyond the 64-bit range.
std::optional<Currency> leadingCurrency(const QString& text);

/// An index text as Mode::Index reads it, with a decimal point and without
/// thousands points: "1.234,5" -> "1234.5", "12.345" -> "12345", "12.5" stays.
QString indexPointForm(const QString& text);

// ---- DM and Euro ---------------------------------------------------------------

/// Euro -> DM (× 1.95583) and DM -> Euro (÷ 1.95583), rounded to four
/// decimals, halves to even. Computed exactly on the integer amounts, so large
/// amounts keep every digit; a result beyond the 64-bit range saturates
/// (use the checked forms where that can happen).
Currency euroToDm(Currency euro);
Currency dmToEuro(Currency dm);
std::optional<Currency> euroToDmChecked(Currency euro);
std::optional<Currency> dmToEuroChecked(Currency dm);

/// Amount "0.00" followed by " DM" / " Euro".
inline QString dmText(Currency dm) {
    return dm.format00() + QStringLiteral(" DM");
}
inline QString euroText(Currency euro) {
    return euro.format00() + QStringLiteral(" Euro");
}

/// The DM equivalent shown for a Euro text: read as a field is (a decimal
/// point is accepted too), × 1.95583, "0.00" + " DM". Empty when the text
/// holds no number.
QString dmEquivalentText(const QString& euroText);

/// Replaces the first "," by "." (the two total labels always show a point).
QString withDecimalPoint(const QString& text);

} // namespace Numbers
