#pragma once
// Rounding of decimal numbers to a fixed number of decimals, done on the
// decimal digits so that 0.005 or 1.23445 round the way they are written.

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace DecimalRound {

enum class Mode { HalfEven, HalfAwayFromZero };

/// value × 10^decimals rounded to a whole number, using the shortest decimal
/// form of the double. nullopt for NaN, infinity or a result beyond 64 bits.
std::optional<std::int64_t> scaled(double value, int decimals, Mode mode);

/// The same for a number given as its digits: value = digits × 10^exponent.
/// digits holds only '0'..'9'.
std::optional<std::int64_t> scaledDigits(bool negative, std::string_view digits, int exponent,
                                         int decimals, Mode mode);

/// A double rounded to a whole number, halves to even; nullopt for NaN,
/// infinity or a value beyond 64 bits.
std::optional<std::int64_t> wholeHalfEven(double value);

/// n / d rounded to the nearest whole number, halves to even (d > 0). The one
/// rounding of a quotient: prices divided by a split factor, an average price,
/// whole units of an amount, the DM/Euro conversion. Every
/// product of an amount and a rate that a depot holds fits 64 bits, whose
/// division is many times cheaper than the 128-bit one the rest needs.
inline __int128 quotientHalfEven(__int128 n, __int128 d) {
    constexpr __int128 Grenze = std::numeric_limits<std::int64_t>::max();
    if (n <= Grenze && n >= -Grenze && d <= Grenze) {
        const auto n64 = static_cast<std::int64_t>(n);
        const auto d64 = static_cast<std::int64_t>(d);
        std::int64_t q = n64 / d64;
        std::int64_t r = n64 % d64;
        if (r < 0) r = -r;
        // 2r against d without forming 2r, which could leave 64 bits.
        if (r > d64 - r || (r == d64 - r && q % 2 != 0)) q += n64 < 0 ? -1 : 1;
        return q;
    }
    __int128 q = n / d;
    __int128 r = n % d;
    if (r < 0) r = -r;
    const __int128 twice = 2 * r;
    if (twice > d || (twice == d && (q % 2) != 0)) q += n < 0 ? -1 : 1;
    return q;
}

} // namespace DecimalRound
