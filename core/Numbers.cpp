#include "core/Numbers.h"
#include "core/DecimalRound.h"

#include <charconv>
#include <limits>
#include <string>

namespace Numbers {

namespace {

/// A number read from text: sign, decimal digits and the power of ten.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

/// German reading: digits with "." as thousands separator (ignored wherever it
/// stands, as the locale conversion does), at most one "," as decimal
/// separator, an optional leading sign, blanks around the number.
std::optional<Decimal> readGerman(const QString& text) {
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text.at(i)))
        ++i;
    while (end > i && isBlank(text.at(end - 1)))
        --end;
    Decimal d;
    if (i < end && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        d.negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    bool anyDigit = false;
    bool inFraction = false;
    for (; i < end; ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            d.digits += static_cast<char>(c.unicode());
            anyDigit = true;
            if (inFraction) --d.exponent;
        } else if (c == QLatin1Char('.') && !inFraction) {
            continue;
        } else if (c == QLatin1Char(',') && !inFraction) {
            inFraction = true;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) return std::nullopt;
    return d;
}

using Int128 = __int128;

std::optional<Currency> fitting(Int128 raw) {
    if (raw > std::numeric_limits<std::int64_t>::max() ||
        raw < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return Currency::fromRaw(static_cast<std::int64_t>(raw));
}

Currency saturated(Int128 raw) {
    if (raw > std::numeric_limits<std::int64_t>::max())
        return Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
    if (raw < std::numeric_limits<std::int64_t>::min())
        return Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
    return Currency::fromRaw(static_cast<std::int64_t>(raw));
}

// 1.95583 as a fraction.
constexpr Int128 RateNumerator = 195583;
constexpr Int128 RateDenominator = 100000;

bool onlyBlanks(const QString& text) {
    for (QChar c : text)
        if (!isBlank(c)) return false;
    return true;
}

// The leading part [blanks][sign]digits[.digits] after the first "," became ".".
Decimal leadingDecimal(const QString& input) {
    QString text = input;
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0) text[comma] = QLatin1Char('.');
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    Decimal d;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        d.negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            d.digits += static_cast<char>(c.unicode());
            if (point) --d.exponent;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
    }
    return d;
}

double toDouble(const Decimal& d) {
    std::string s = d.digits + "e" + std::to_string(d.exponent);
    double v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return d.negative ? -v : v;
}

} // namespace

QString format00(double value) {
    const auto cents = DecimalRound::scaled(value, 2, DecimalRound::Mode::HalfAwayFromZero);
    if (!cents) return QString::number(value, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
    // Formatted from the cents themselves: a count beyond a hundredth of the
    // 64-bit range has no Currency value, but its text is exact all the same.
    return Currency::centsText00(*cents);
}

std::optional<double> parseLocale(const QString& text) {
    const auto d = readGerman(text);
    if (!d) return std::nullopt;
    return toDouble(*d);
}

AmountReading readAmount(const QString& text, int decimals) {
    AmountReading r;
    if (onlyBlanks(text)) return r;
    const auto d = readGerman(text);
    if (!d) {
        r.reading = Reading::NotANumber;
        return r;
    }
    const auto mode =
        decimals == 4 ? DecimalRound::Mode::HalfEven : DecimalRound::Mode::HalfAwayFromZero;
    // Straight from the digits: "0,00005" rounds without a detour through double.
    const auto scaled = DecimalRound::scaledDigits(d->negative, d->digits, d->exponent, decimals,
                                                   mode);
    std::optional<Currency> value;
    if (scaled) {
        std::int64_t raw = *scaled;
        bool overflow = false;
        for (int k = decimals; k < 4; ++k)
            overflow = overflow || __builtin_mul_overflow(raw, std::int64_t(10), &raw);
        if (!overflow) value = Currency::fromRaw(raw);
    }
    if (!value) {
        r.reading = Reading::TooLarge;
        return r;
    }
    r.reading = Reading::Number;
    r.value = *value;
    return r;
}

std::optional<Currency> parseCurrency(const QString& text) {
    const AmountReading r = readAmount(text, 4);
    if (r.reading != Reading::Number) return std::nullopt;
    return r.value;
}

std::optional<Currency> parseCents(const QString& text) {
    const AmountReading r = readAmount(text, 2);
    if (r.reading != Reading::Number) return std::nullopt;
    return r.value;
}

WholeReading readWhole(const QString& text) {
    WholeReading r;
    if (onlyBlanks(text)) return r;
    const auto d = readGerman(text);
    if (!d) {
        r.reading = Reading::NotANumber;
        return r;
    }
    r.reading = Reading::Number;
    // digits × 10^exponent; the decimals dropped must all be zeros.
    std::string_view digits = d->digits;
    int exponent = d->exponent;
    while (exponent < 0 && !digits.empty()) {
        if (digits.back() != '0') {
            r.whole = false;
            return r;
        }
        digits.remove_suffix(1);
        ++exponent;
    }
    std::int64_t v = 0;
    for (char c : digits) {
        if (__builtin_mul_overflow(v, std::int64_t(10), &v) ||
            __builtin_add_overflow(v, std::int64_t(c - '0'), &v)) {
            r.reading = Reading::TooLarge;
            return r;
        }
    }
    r.value = d->negative ? -v : v;
    return r;
}

double leadingNumber(const QString& text) {
    const Decimal d = leadingDecimal(text);
    if (d.digits.empty()) return 0.0;
    return toDouble(d);
}

std::optional<Currency> leadingCurrency(const QString& text) {
    const Decimal d = leadingDecimal(text);
    if (d.digits.empty()) return Currency();
    const auto raw = DecimalRound::scaledDigits(d.negative, d.digits, d.exponent, 4,
                                                DecimalRound::Mode::HalfEven);
    if (!raw) return std::nullopt;
    return Currency::fromRaw(*raw);
}

std::optional<Currency> euroToDmChecked(Currency euro) {
    return fitting(DecimalRound::quotientHalfEven(Int128(euro.raw()) * RateNumerator, RateDenominator));
}

std::optional<Currency> dmToEuroChecked(Currency dm) {
    return fitting(DecimalRound::quotientHalfEven(Int128(dm.raw()) * RateDenominator, RateNumerator));
}

Currency euroToDm(Currency euro) {
    return saturated(DecimalRound::quotientHalfEven(Int128(euro.raw()) * RateNumerator, RateDenominator));
}

Currency dmToEuro(Currency dm) {
    return saturated(DecimalRound::quotientHalfEven(Int128(dm.raw()) * RateDenominator, RateNumerator));
}

QString dmEquivalentText(const QString& euroText) {
    // The total labels show a decimal point; read it as the decimal separator
    // rather than as a thousands separator.
    QString text = euroText;
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0 && !text.contains(QLatin1Char(','))) text[point] = QLatin1Char(',');
    const auto value = parseCurrency(text);
    if (!value) return QString();
    return dmText(euroToDm(*value));
}

QString withDecimalPoint(const QString& text) {
    QString out = text;
    const qsizetype comma = out.indexOf(QLatin1Char(','));
    if (comma >= 0) out[comma] = QLatin1Char('.');
    return out;
}

QString pointDecimal(const QString& text) {
    QString out = text;
    if (out.contains(QLatin1Char('.')) && out.contains(QLatin1Char(',')))
        out.remove(QLatin1Char('.'));
    return withDecimalPoint(out);
}

} // namespace Numbers
