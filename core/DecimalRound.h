#pragma once
// Rounding of decimal numbers to a fixed number of decimals, done on the
// decimal digits so that 0.005 or 1.23445 round the way they are written.

#include <cstdint>
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

} // namespace DecimalRound
