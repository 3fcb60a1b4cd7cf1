#pragma once

#include <QColor>

namespace calendario {

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
