#pragma once

#include <array>

#include <QColor>

namespace calendario {

namespace detail {

// ln x, for x > 0, as 2 atanh((x - 1) / (x + 1)).
constexpr double logOf(double x)
{
    const double z = (x - 1) / (x + 1);
    double sum = 0;
    for (double power = z, k = 1; power * power > 1e-36; power *= z * z, k += 2)
        sum += power / k;
    return 2 * sum;
}

// e to the t, for t >= 0.
constexpr double expOf(double t)
{
    double sum = 1;
    for (double term = 1, n = 1; term > 1e-18 * sum; ++n)
        sum += term *= t / n;
    return sum;
}

}  // namespace detail

// The light of an 8-bit sRGB channel value, from 0 to 1, worked out by the compiler: pow()
// from the math library would cost the running program 200 KiB more memory.
inline constexpr std::array<double, 256> kLinearChannel = [] {
    std::array<double, 256> light{};
    for (int c = 0; c < 256; ++c) {
        const double v = c / 255.0;
        light[c] = v <= 0.04045 ? v / 12.92 : 1 / detail::expOf(-2.4 * detail::logOf((v + 0.055) / 1.055));
    }
    return light;
}();

// Contrast as WCAG 2 measures it: from 1 (the same luminance) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// What text and shapes need to stand out from their background.
inline constexpr double kTextContrast = 4.5;
inline constexpr double kShapeContrast = 3.0;
// A colour that has to change aims this much past its ratio: the thin strokes of small text
// seldom cover a whole pixel, so the screen shows them a little fainter than their colour.
inline constexpr double kStrokeAllowance = 1.1;

// `wanted` itself where it stands out from `background` by `ratio`; else the colour of the
// same hue and saturation, lighter or darker (whichever can reach it), that is nearest to
// it in lightness and does.
QColor withContrast(const QColor& wanted, const QColor& background, double ratio);

}  // namespace calendario
