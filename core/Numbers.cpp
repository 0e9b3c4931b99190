#include "core/Numbers.h"
#include "core/DecimalRound.h"

#include <charconv>
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
    return Currency::fromRaw(*cents * 100).format00();
}

std::optional<double> parseLocale(const QString& text) {
    const auto d = readGerman(text);
    if (!d) return std::nullopt;
    return toDouble(*d);
}

std::optional<Currency> parseCurrency(const QString& text) {
    const auto d = readGerman(text);
    if (!d) return std::nullopt;
    // Straight from the digits: "0,00005" rounds to even without a detour through double.
    const auto raw = DecimalRound::scaledDigits(d->negative, d->digits, d->exponent, 4,
                                                DecimalRound::Mode::HalfEven);
    if (!raw) return std::nullopt;
    return Currency::fromRaw(*raw);
}

double leadingNumber(const QString& input) {
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
    if (d.digits.empty()) return 0.0;
    return toDouble(d);
}

Currency euroToDm(Currency euro) {
    return Currency::fromDouble(euro.toDouble() * DmRate);
}

Currency dmToEuro(Currency dm) {
    return Currency::fromDouble(dm.toDouble() / DmRate);
}

QString dmEquivalentText(const QString& euroText) {
    // The total labels show a decimal point; read it as the decimal separator
    // rather than as a thousands separator.
    QString text = euroText;
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0 && !text.contains(QLatin1Char(','))) text[point] = QLatin1Char(',');
    const auto value = parseLocale(text);
    if (!value) return QString();
    return dmText(Currency::fromDouble(*value * DmRate));
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
