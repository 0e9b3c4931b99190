#include "core/DecimalRound.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace DecimalRound {

std::optional<std::int64_t> scaledDigits(bool negative, std::string_view digits, int exponent,
                                         int decimals, Mode mode) {
    // Drop leading zeros so that the length check below counts significant digits.
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    const int shift = exponent + decimals; // value × 10^decimals = digits × 10^shift
    const int n = static_cast<int>(digits.size());
    const int keep = n + shift; // digits that form the whole part
    using U = unsigned __int128;
    U whole = 0;
    constexpr U limit = static_cast<U>(std::numeric_limits<std::int64_t>::max()) + 1;
    auto push = [&](int d) {
        whole = whole * 10 + static_cast<unsigned>(d);
        return whole <= limit;
    };
    for (int i = 0; i < keep; ++i) {
        const int d = i < n ? digits[static_cast<size_t>(i)] - '0' : 0;
        if (!push(d)) return std::nullopt;
    }
    // Rounding from the dropped digits.
    bool roundUp = false;
    if (keep < n) {
        const int first = keep >= 0 ? digits[static_cast<size_t>(keep)] - '0' : 0;
        bool restNonZero = false;
        for (int i = std::max(keep + 1, 0); i < n; ++i)
            restNonZero = restNonZero || digits[static_cast<size_t>(i)] != '0';
        if (keep < 0) {
            // All digits lie below the first dropped place: less than a half.
            roundUp = false;
        } else if (first > 5 || (first == 5 && restNonZero)) {
            roundUp = true;
        } else if (first == 5) {
            roundUp = mode == Mode::HalfAwayFromZero || (whole % 2) != 0;
        }
    }
    if (roundUp) ++whole;
    if (negative) {
        if (whole > limit) return std::nullopt;
        return static_cast<std::int64_t>(-static_cast<__int128>(whole));
    }
    if (whole >= limit) return std::nullopt;
    return static_cast<std::int64_t>(whole);
}

std::optional<std::int64_t> wholeHalfEven(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 9.2e18) return std::nullopt;
    return static_cast<std::int64_t>(std::nearbyint(value)); // the default mode: halves to even
}

std::optional<std::int64_t> scaled(double value, int decimals, Mode mode) {
    if (!std::isfinite(value)) return std::nullopt;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    if (res.ec != std::errc()) return std::nullopt;
    // "-d.ddde±XX"
    std::string_view text(buf, static_cast<size_t>(res.ptr - buf));
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    const auto e = text.find('e');
    if (e == std::string_view::npos) return std::nullopt;
    // At most 17 significant digits; kept on the stack, as this runs per row.
    char ziffern[sizeof buf];
    std::size_t n = 0;
    for (char c : text.substr(0, e))
        if (c != '.') ziffern[n++] = c;
    const std::string_view digits(ziffern, n);
    int exp10 = 0;
    std::string_view expText = text.substr(e + 1);
    if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exp10);
    // value = d.ddd × 10^exp10 = digits × 10^(exp10 - (len - 1))
    return scaledDigits(negative, digits, exp10 - static_cast<int>(digits.size()) + 1, decimals,
                        mode);
}

} // namespace DecimalRound
