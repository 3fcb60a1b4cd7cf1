#pragma once

#include <QRect>

namespace calendario {

// The window is designed in twips: 1440 to the inch, so 15 to a pixel at 96 dpi. Qt's
// pixels are device-independent, so on a HiDPI screen the whole window scales with the
// screen's device pixel ratio and stays sharp.
inline constexpr int kTwipsPerPixel = 15;

// The one conversion from twips to pixels, to the nearest pixel.
constexpr int pixelsFromTwips(int twips)
{
    const int doubled = 2 * twips + kTwipsPerPixel;
    const int divisor = 2 * kTwipsPerPixel;
    return doubled >= 0 ? doubled / divisor : -((-doubled + divisor - 1) / divisor);
}

constexpr QRect pixelsFromTwips(const QRect &twips)
{
    return QRect(pixelsFromTwips(twips.x()), pixelsFromTwips(twips.y()),
                 pixelsFromTwips(twips.width()), pixelsFromTwips(twips.height()));
}

// Font sizes are in points, 72 to the inch: the pixel size at 96 dpi, to the nearest pixel.
constexpr int pixelsFromPoints(double points)
{
    return static_cast<int>(points * 96 / 72 + 0.5);
}

} // namespace calendario
