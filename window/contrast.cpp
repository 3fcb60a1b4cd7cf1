#include "window/contrast.h"

#include <algorithm>
#include <array>

namespace calendario {
namespace {

double luminance(const QColor& c)
{
    return 0.2126 * kLinearChannel[c.red()] + 0.7152 * kLinearChannel[c.green()] +
           0.0722 * kLinearChannel[c.blue()];
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor withContrast(const QColor& wanted, const QColor& background, double ratio)
{
    if (contrastRatio(wanted, background) >= ratio)
        return wanted;
    const bool darker = contrastRatio(Qt::black, background) > contrastRatio(Qt::white, background);
    const QColor hsl = wanted.toHsl();
    // Measured as the screen will show it, in 8 bits a channel.
    const auto at = [&](double lightness) {
        return QColor(QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), lightness).rgb());
    };
    // Luminance follows lightness, so the least change that reaches the ratio lies
    // between the wanted lightness and black or white.
    double near = hsl.lightnessF();
    double far = darker ? 0.0 : 1.0;
    for (int step = 0; step < 24; ++step) {
        const double middle = (near + far) / 2;
        (contrastRatio(at(middle), background) >= ratio ? far : near) = middle;
    }
    return at(far);
}

}  // namespace calendario
