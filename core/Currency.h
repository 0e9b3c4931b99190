#pragma once
// Currency: signed fixed point with four decimals (amount × 10000), the one
// type all money is held in while the program computes with it.

#include <QMetaType>
#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

class Currency final {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    static constexpr Currency fromWhole(std::int64_t units) { return fromRaw(units * Scale); }
    /// Rounds to four decimals, halves to even (as the engine converts a double).
    static Currency fromDouble(double value);

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const { return static_cast<double>(m_raw) / Scale; }
    constexpr bool isZero() const { return m_raw == 0; }
    constexpr bool isNegative() const { return m_raw < 0; }

    constexpr Currency operator-() const { return fromRaw(-m_raw); }
    constexpr Currency operator+(Currency o) const { return fromRaw(m_raw + o.m_raw); }
    constexpr Currency operator-(Currency o) const { return fromRaw(m_raw - o.m_raw); }
    constexpr Currency& operator+=(Currency o) { m_raw += o.m_raw; return *this; }
    constexpr Currency& operator-=(Currency o) { m_raw -= o.m_raw; return *this; }
    /// Product with a whole number: exact.
    constexpr Currency operator*(std::int64_t n) const { return fromRaw(m_raw * n); }
    /// Product of two currency values: rounded to four decimals, halves to even.
    Currency operator*(Currency o) const;

    // NOLINTNEXTLINE(modernize-use-nullptr): false alarm of clang-tidy 14 on a defaulted <=>
    constexpr auto operator<=>(const Currency&) const = default;

    // Checked arithmetic: nullopt when the result leaves the 64-bit range,
    // so a sum that cannot be formed never turns into a wrong number.
    std::optional<Currency> plus(Currency o) const;
    std::optional<Currency> minus(Currency o) const;
    std::optional<Currency> times(std::int64_t n) const;
    /// Rounded to whole cents as "0.00" rounds (halves away from zero).
    std::optional<Currency> cents() const;

    /// "0.00": two decimals, halves away from zero, decimal comma, leading "-".
    QString format00() const;
    /// A whole number of cents in the "0.00" form; any 64-bit count fits.
    static QString centsText00(std::int64_t cents);
    /// The engine's plain text form: decimal comma, no trailing zeros ("10,5", "12", "-0,0001").
    QString plainText() const;

private:
    std::int64_t m_raw = 0;
};

Q_DECLARE_METATYPE(Currency)
