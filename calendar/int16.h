#pragma once

#include <compare>
#include <cstdint>
#include <limits>

#include "calendar/runtime_error.h"

namespace calendario {

// A 16-bit signed whole number. Every value, sum and difference is checked: a result
// outside -32768..32767 raises the overflow error instead of wrapping around.
class Int16 {
public:
    constexpr Int16() = default;
    constexpr Int16(int value) : value_(narrow(value)) {}

    constexpr int value() const { return value_; }

    friend constexpr Int16 operator+(Int16 a, Int16 b) { return Int16(a.value_ + b.value_); }
    friend constexpr Int16 operator-(Int16 a, Int16 b) { return Int16(a.value_ - b.value_); }
    constexpr Int16 operator-() const { return Int16(-value_); }
    constexpr Int16& operator++() { return *this = *this + 1; }
    constexpr Int16& operator--() { return *this = *this - 1; }

    friend constexpr bool operator==(Int16, Int16) = default;
    friend constexpr auto operator<=>(Int16, Int16) = default;

private:
    static constexpr std::int16_t narrow(long long value)
    {
        if (value < std::numeric_limits<std::int16_t>::min() ||
            value > std::numeric_limits<std::int16_t>::max())
            throw RuntimeError(RuntimeError::Overflow);
        return static_cast<std::int16_t>(value);
    }

    std::int16_t value_ = 0;
};

// Booleans kept in 16-bit variables: true is -1, false is 0, and any non-zero value is true.
inline constexpr Int16 Vero{-1};
inline constexpr Int16 Falso{0};
constexpr bool isTrue(Int16 flag) { return flag != Falso; }

}  // namespace calendario
