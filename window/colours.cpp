#include "window/colours.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QGuiApplication>

namespace calendario {

QColor resolve(const Colour &colour, const QPalette &palette)
{
    switch (colour.source) {
    case Colour::Source::Rgb:
        return QColor(colour.red, colour.green, colour.blue);
    case Colour::Source::System:
        switch (colour.systemIndex) {
        case 5:
            return palette.color(QPalette::Base);
        case 8:
            return palette.color(QPalette::Text);
        case 15:
            return palette.color(QPalette::Button);
        case 18:
            return palette.color(QPalette::ButtonText);
        }
        break;
    case Colour::Source::Transparent:
    case Colour::Source::Unset:
        break;
    }
    return QColor();
}

namespace {

// The light of each 8-bit sRGB channel value, from 0 to 1, worked out by the compiler (GCC
// folds std::pow in a constant expression): at run time, pow would bring 200 KiB of libm's
// code and tables into the program's memory.
constexpr std::array<double, 256> kLight = [] {
    std::array<double, 256> light{};
    for (int c = 0; c < 256; ++c) {
        const double v = c / 255.0;
        light[c] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    }
    return light;
}();

double luminance(const QColor &c)
{
    return 0.2126 * kLight[c.red()] + 0.7152 * kLight[c.green()] + 0.0722 * kLight[c.blue()];
}

// A colour that has to change aims this much past its ratio: the thin strokes of small text
// seldom cover a whole pixel, so the screen shows them a little fainter than their colour.
constexpr double kStrokeAllowance = 1.1;

// `wanted` itself where it stands out from `background` by `ratio`; else the colour of the
// same hue and saturation, lighter or darker (whichever can reach it), that is nearest to
// it in lightness and does.
QColor withContrast(const QColor &wanted, const QColor &background, double ratio)
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

// The desktop the design's colours were chosen on: black text on white windows and
// light grey buttons.
QPalette lightDesktop()
{
    QPalette p;
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Button, QColor(240, 240, 240));
    p.setColor(QPalette::ButtonText, Qt::black);
    return p;
}

// The colour of a text or a shape drawn on a background, both as the design gives them.
// The design chose its colours on a light desktop, and some pairs mix a fixed colour with
// a system one. The colour stays wherever it stands out from the background by `goal`;
// on a light desktop also where it stands out by as much as it does in the design. Else
// the colour it has on the light desktop takes its place where that stands out enough,
// else the nearest colour of its hue that does.
QColor resolveOn(const Colour &colour, const Colour &background, const QPalette &palette,
                 double goal)
{
    static const QPalette designed = lightDesktop();
    const QColor back = resolve(background, palette);
    const QColor meant = resolve(colour, designed);
    // A light desktop draws dark text on light windows, as the design's did.
    const bool light =
        palette.color(QPalette::Base).lightness() > palette.color(QPalette::Text).lightness();
    const double needed =
        light ? std::min(goal, contrastRatio(meant, resolve(background, designed))) : goal;
    const QColor own = resolve(colour, palette);
    if (contrastRatio(own, back) >= needed)
        return own;
    // A colour that the desktop made unreadable here: the one the design chose, where that
    // reads; else the nearest that does.
    const double wanted = needed * kStrokeAllowance;
    return contrastRatio(meant, back) >= wanted ? meant : withContrast(own, back, wanted);
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette ownColours(QPalette::ColorRole backgroundRole, const Colour &background,
                    QPalette::ColorRole textRole, const Colour &text, const Colour &behind,
                    double goal)
{
    const QPalette desktop = QGuiApplication::palette();
    QPalette own;
    if (isOpaque(background))
        own.setColor(backgroundRole, resolve(background, desktop));
    own.setColor(textRole,
                 resolveOn(text, isOpaque(background) ? background : behind, desktop, goal));
    return own;
}

} // namespace calendario
