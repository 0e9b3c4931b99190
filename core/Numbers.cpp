#include "core/Numbers.h"
#include "core/DecimalRound.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace Numbers {

namespace {

/// A number read from text: value = digits × 10^exponent.
struct Decimal {
    Reading reading = Reading::Empty;
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isSign(QChar c) {
    return c == QLatin1Char('-') || c == QLatin1Char('+');
}

QStringView withoutBlanks(QStringView s) {
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

/// The whole text as a German number: [sign] digits with thousands points in
/// groups of three, [, decimals].
Decimal grouped(QStringView s) {
    Decimal d;
    if (s.isEmpty()) return d;
    d.reading = Reading::NotANumber;
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (isSign(s[0])) d.negative = s[i++] == QLatin1Char('-');
    int group = 0;
    bool grouped = false;
    for (; i < n; ++i) {
        const QChar c = s[i];
        if (isDigit(c)) {
            d.digits += static_cast<char>(c.unicode());
            ++group;
        } else if (c == QLatin1Char('.')) {
            // "12.5" is no German number; refusing beats reading it as 125.
            if (group == 0 || (grouped ? group != 3 : group > 3)) return d;
            grouped = true;
            group = 0;
        } else {
            break;
        }
    }
    if (grouped && group != 3) return d;
    if (i < n && s[i] == QLatin1Char(',')) {
        for (++i; i < n && isDigit(s[i]); ++i) {
            d.digits += static_cast<char>(s[i].unicode());
            --d.exponent;
        }
    }
    if (i != n || d.digits.empty()) return d;
    d.reading = Reading::Number;
    return d;
}

/// The longest leading [blanks][sign]digits[.digits], the first "," read as ".".
Decimal leading(QStringView s) {
    Decimal d;
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && isBlank(s[i]))
        ++i;
    if (i == n) return d;
    d.reading = Reading::NotANumber;
    if (isSign(s[i])) d.negative = s[i++] == QLatin1Char('-');
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = i == comma ? QLatin1Char('.') : s[i];
        if (isDigit(c)) {
            d.digits += static_cast<char>(c.unicode());
            if (point) --d.exponent;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!d.digits.empty()) d.reading = Reading::Number;
    return d;
}

/// [sign] digits [, digits] [e [sign] digits], the whole text.
Decimal display(QStringView s) {
    Decimal d;
    s = s.trimmed();
    if (s.isEmpty()) return d;
    d.reading = Reading::NotANumber;
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (isSign(s[0])) d.negative = s[i++] == QLatin1Char('-');
    for (; i < n && isDigit(s[i]); ++i)
        d.digits += static_cast<char>(s[i].unicode());
    if (i < n && s[i] == QLatin1Char(',')) {
        for (++i; i < n && isDigit(s[i]); ++i) {
            d.digits += static_cast<char>(s[i].unicode());
            --d.exponent;
        }
    }
    if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        ++i;
        bool minus = false;
        if (i < n && isSign(s[i])) minus = s[i++] == QLatin1Char('-');
        if (i == n) return d;
        int e = 0;
        for (; i < n && isDigit(s[i]); ++i)
            e = std::min(e * 10 + (s[i].unicode() - '0'), 100000); // far beyond any double
        d.exponent += minus ? -e : e;
    }
    if (i != n || d.digits.empty()) return d;
    d.reading = Reading::Number;
    return d;
}

/// Points that each stand before exactly three digits, after a first group
/// of one to three digits that does not begin with 0.
bool thousandsPoints(QStringView s) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && isBlank(s[i]))
        ++i;
    if (i < n && isSign(s[i])) ++i;
    const qsizetype start = i;
    while (i < n && isDigit(s[i]))
        ++i;
    if (i - start < 1 || i - start > 3 || s[start] == QLatin1Char('0')) return false;
    bool any = false;
    while (i < n && s[i] == QLatin1Char('.')) {
        const qsizetype from = ++i;
        while (i < n && isDigit(s[i]))
            ++i;
        if (i - from != 3) return false;
        any = true;
    }
    return any && !s.sliced(i).contains(QLatin1Char('.'));
}

Decimal read(const QString& text, Mode mode) {
    switch (mode) {
    case Mode::Field:
        return grouped(withoutBlanks(text));
    case Mode::Stored:
        return grouped(QStringView(text).trimmed());
    case Mode::Index:
        return leading(indexPointForm(text));
    case Mode::Leading:
        return leading(text);
    case Mode::Display:
        return display(text);
    }
    return {};
}

std::optional<double> toDouble(const Decimal& d) {
    const std::string s = d.digits + "e" + std::to_string(d.exponent);
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Beyond the range when its first digit stands before the point,
        // else too small to be anything but zero.
        const auto first = d.digits.find_first_not_of('0');
        if (static_cast<long long>(d.digits.size() - first) + d.exponent > 0) return std::nullopt;
        v = 0;
    }
    return d.negative ? -v : v;
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

} // namespace

QString format00(double value) {
    const auto cents = DecimalRound::scaled(value, 2, DecimalRound::Mode::HalfAwayFromZero);
    if (!cents) return QString::number(value, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
    // Formatted from the cents themselves: a count beyond a hundredth of the
    // 64-bit range has no Currency value, but its text is exact all the same.
    return Currency::centsText00(*cents);
}

ScaledReading readScaled(const QString& text, int decimals, Mode mode) {
    const Decimal d = read(text, mode);
    if (d.reading != Reading::Number) return {d.reading, 0};
    const auto v = DecimalRound::scaledDigits(d.negative, d.digits, d.exponent, decimals,
                                              DecimalRound::Mode::HalfEven);
    if (!v) return {Reading::TooLarge, 0};
    return {Reading::Number, *v};
}

AmountReading readAmount(const QString& text, int decimals, Mode mode) {
    AmountReading r;
    const Decimal d = read(text, mode);
    r.reading = d.reading;
    if (d.reading != Reading::Number) return r;
    const auto rounding =
        decimals == 4 ? DecimalRound::Mode::HalfEven : DecimalRound::Mode::HalfAwayFromZero;
    // Straight from the digits: "0,00005" rounds without a detour through double.
    const auto scaled =
        DecimalRound::scaledDigits(d.negative, d.digits, d.exponent, decimals, rounding);
    std::int64_t raw = scaled.value_or(0);
    bool overflow = !scaled;
    for (int k = decimals; k < 4; ++k)
        overflow = overflow || __builtin_mul_overflow(raw, std::int64_t(10), &raw);
    if (overflow) {
        r.reading = Reading::TooLarge;
        return r;
    }
    r.value = Currency::fromRaw(raw);
    return r;
}

WholeReading readWhole(const QString& text, Mode mode) {
    WholeReading r;
    const Decimal d = read(text, mode);
    r.reading = d.reading;
    if (d.reading != Reading::Number) return r;
    // digits × 10^exponent; the decimals dropped must all be zeros.
    std::string_view digits = d.digits;
    int exponent = d.exponent;
    while (exponent < 0 && !digits.empty()) {
        if (digits.back() != '0') {
            r.whole = false;
            return r;
        }
        digits.remove_suffix(1);
        ++exponent;
    }
    std::int64_t v = 0;
    for (int k = 0; k < exponent + static_cast<int>(digits.size()); ++k) {
        const int z = k < static_cast<int>(digits.size()) ? digits[size_t(k)] - '0' : 0;
        if (__builtin_mul_overflow(v, std::int64_t(10), &v) ||
            __builtin_add_overflow(v, std::int64_t(z), &v)) {
            r.reading = Reading::TooLarge;
            return r;
        }
    }
    r.value = d.negative ? -v : v;
    return r;
}

std::optional<double> readDouble(const QString& text, Mode mode) {
    const Decimal d = read(text, mode);
    if (d.reading != Reading::Number) return std::nullopt;
    return toDouble(d);
}

std::optional<Currency> parseCurrency(const QString& text, Mode mode) {
    const AmountReading r = readAmount(text, 4, mode);
    if (r.reading != Reading::Number) return std::nullopt;
    return r.value;
}

std::optional<Currency> parseCents(const QString& text) {
    const AmountReading r = readAmount(text, 2);
    if (r.reading != Reading::Number) return std::nullopt;
    return r.value;
}

double leadingNumber(const QString& text) {
    return readDouble(text, Mode::Leading).value_or(0.0);
}

std::optional<Currency> leadingCurrency(const QString& text) {
    const AmountReading r = readAmount(text, 4, Mode::Leading);
    if (r.reading == Reading::TooLarge) return std::nullopt;
    return r.value;
}

QString indexPointForm(const QString& text) {
    QString out = text;
    if (const qsizetype comma = out.indexOf(QLatin1Char(',')); comma >= 0) {
        out.remove(QLatin1Char('.'));
        out[out.indexOf(QLatin1Char(','))] = QLatin1Char('.');
    } else if (thousandsPoints(out)) {
        out.remove(QLatin1Char('.'));
    }
    return out;
}

std::optional<Currency> euroToDmChecked(Currency euro) {
    return fitting(
        DecimalRound::quotientHalfEven(Int128(euro.raw()) * RateNumerator, RateDenominator));
}

std::optional<Currency> dmToEuroChecked(Currency dm) {
    return fitting(
        DecimalRound::quotientHalfEven(Int128(dm.raw()) * RateDenominator, RateNumerator));
}

Currency euroToDm(Currency euro) {
    return saturated(
        DecimalRound::quotientHalfEven(Int128(euro.raw()) * RateNumerator, RateDenominator));
}

Currency dmToEuro(Currency dm) {
    return saturated(
        DecimalRound::quotientHalfEven(Int128(dm.raw()) * RateDenominator, RateNumerator));
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

} // namespace Numbers
