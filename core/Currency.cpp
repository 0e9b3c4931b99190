#include "core/Currency.h"
#include "core/DecimalRound.h"

#include <cmath>
#include <limits>

namespace {

using Int128 = __int128;

constexpr std::int64_t MaxRaw = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t MinRaw = std::numeric_limits<std::int64_t>::min();

std::int64_t saturate(Int128 v) {
    if (v > MaxRaw) return MaxRaw;
    if (v < MinRaw) return MinRaw;
    return static_cast<std::int64_t>(v);
}

// The amount without its sign; the smallest 64-bit number has one too.
unsigned __int128 betrag(std::int64_t v) {
    return v < 0 ? static_cast<unsigned __int128>(-static_cast<Int128>(v))
                 : static_cast<unsigned __int128>(v);
}

// Digits of an amount held as units of 1/10^decimals.
QString digitsText(unsigned __int128 magnitude, int decimals, bool keepZeros) {
    const unsigned __int128 scale = decimals == 4 ? 10000u : 100u;
    const auto whole = static_cast<unsigned long long>(magnitude / scale);
    const auto frac = static_cast<unsigned long long>(magnitude % scale);
    QString out = QString::number(whole);
    QString fracText = QString::number(frac).rightJustified(decimals, QLatin1Char('0'));
    if (!keepZeros) {
        while (fracText.endsWith(QLatin1Char('0')))
            fracText.chop(1);
    }
    if (!fracText.isEmpty()) out += QLatin1Char(',') + fracText;
    return out;
}

} // namespace

Currency Currency::fromDouble(double value) {
    // Rounds the shortest decimal form of the double, so 1.23445 is taken as
    // the user wrote it and not as 1.2344499999...
    const auto scaled = DecimalRound::scaled(value, 4, DecimalRound::Mode::HalfEven);
    if (!scaled) return fromRaw(std::isnan(value) ? 0 : (value < 0 ? MinRaw : MaxRaw));
    return fromRaw(*scaled);
}

std::optional<Currency> Currency::plus(Currency o) const {
    std::int64_t r = 0;
    if (__builtin_add_overflow(m_raw, o.m_raw, &r)) return std::nullopt;
    return fromRaw(r);
}

std::optional<Currency> Currency::minus(Currency o) const {
    std::int64_t r = 0;
    if (__builtin_sub_overflow(m_raw, o.m_raw, &r)) return std::nullopt;
    return fromRaw(r);
}

std::optional<Currency> Currency::times(std::int64_t n) const {
    std::int64_t r = 0;
    if (__builtin_mul_overflow(m_raw, n, &r)) return std::nullopt;
    return fromRaw(r);
}

std::optional<Currency> Currency::cents() const {
    const Int128 v = m_raw;
    const Int128 q = (v < 0 ? v - 50 : v + 50) / 100; // truncates toward zero
    const Int128 r = q * 100;
    if (r > MaxRaw || r < MinRaw) return std::nullopt;
    return fromRaw(static_cast<std::int64_t>(r));
}

Currency Currency::operator*(Currency o) const {
    const Int128 product = static_cast<Int128>(m_raw) * o.m_raw;
    return fromRaw(saturate(DecimalRound::quotientHalfEven(product, Scale)));
}

QString Currency::format00() const {
    const bool negative = m_raw < 0;
    const unsigned __int128 magnitude = betrag(m_raw);
    // Four decimals down to two, halves away from zero.
    const unsigned __int128 cents = (magnitude + 50) / 100;
    const QString digits = digitsText(cents, 2, true);
    // A value that rounds to zero never shows a sign.
    return (negative && cents != 0) ? QLatin1Char('-') + digits : digits;
}

QString Currency::centsText00(std::int64_t cents) {
    const bool negative = cents < 0;
    const unsigned __int128 magnitude = betrag(cents);
    const QString digits = digitsText(magnitude, 2, true);
    return negative ? QLatin1Char('-') + digits : digits;
}

QString Currency::plainText() const {
    const bool negative = m_raw < 0;
    const unsigned __int128 magnitude = betrag(m_raw);
    const QString digits = digitsText(magnitude, 4, false);
    return negative ? QLatin1Char('-') + digits : digits;
}
