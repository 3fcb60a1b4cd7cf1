#pragma once

#include <compare>
#include <concepts>
#include <cstdint>
#include <utility>

#include "calendar/runtime_error.h"

namespace calendario {

// A 16-bit signed whole number. Every value, sum and difference is checked: a result
// outside -32768..32767 raises the overflow error instead of wrapping around.
class Int16
{
    // Before its first use, where clang can evaluate it in a constant expression.
    template<std::integral T>
    static constexpr std::int16_t narrow(T value)
    {
        if (!std::in_range<std::int16_t>(value))
            throw RuntimeError(RuntimeError::Overflow);
        return static_cast<std::int16_t>(value);
    }

public:
    constexpr Int16() = default;
    // Any whole number is checked as it is, before it could lose its high bits.
    template<std::integral T>
    explicit constexpr Int16(T value) : value_(narrow(value))
    {
    }

    constexpr int value() const { return value_; }

    friend constexpr Int16 operator+(Int16 a, Int16 b) { return Int16(a.value_ + b.value_); }
    friend constexpr Int16 operator-(Int16 a, Int16 b) { return Int16(a.value_ - b.value_); }
    // With a constant such as 1, which is itself a 16-bit number.
    friend constexpr Int16 operator+(Int16 a, int b) { return a + Int16(b); }
    friend constexpr Int16 operator-(Int16 a, int b) { return a - Int16(b); }
    constexpr Int16 operator-() const { return Int16(-value_); }
    constexpr Int16 &operator++() { return *this = *this + 1; }
    constexpr Int16 &operator--() { return *this = *this - 1; }

    friend constexpr bool operator==(Int16, Int16) = default;
    friend constexpr auto operator<=>(Int16, Int16) = default;
    friend constexpr bool operator==(Int16 a, int b) { return a.value_ == b; }
    friend constexpr auto operator<=>(Int16 a, int b) { return a.value_ <=> b; }

private:
    std::int16_t value_ = 0;
};

// A 16-bit constant, checked by the compiler: 31_i16.
consteval Int16 operator""_i16(unsigned long long value)
{
    return Int16(value);
}

// Booleans kept in 16-bit variables: true is -1, false is 0, and any non-zero value is true.
inline constexpr Int16 Vero{-1};
inline constexpr Int16 Falso{0};
constexpr bool isTrue(Int16 flag)
{
    return flag != Falso;
}

} // namespace calendario
