#pragma once

#include <cstdint>

#include <QColor>
#include <QPalette>

namespace calendario {

// A colour as the design gives it: an RGB triple, one of the system's colours, or none.
struct Colour
{
    enum class Source : std::uint8_t { Unset, Rgb, System, Transparent };
    Source source = Source::Unset;
    std::uint8_t red = 0, green = 0, blue = 0;
    int systemIndex = 0;

    friend constexpr bool operator==(const Colour &, const Colour &) = default;
};

constexpr Colour rgb(int r, int g, int b)
{
    return {Colour::Source::Rgb, std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), 0};
}
constexpr Colour systemColour(int index)
{
    return {Colour::Source::System, 0, 0, 0, index};
}

// A background that hides what lies behind it.
constexpr bool isOpaque(const Colour &c)
{
    return c.source == Colour::Source::Rgb || c.source == Colour::Source::System;
}

inline constexpr Colour kWindowBackground = systemColour(5);
inline constexpr Colour kWindowText = systemColour(8);
inline constexpr Colour kButtonFace = systemColour(15);
inline constexpr Colour kButtonText = systemColour(18);
inline constexpr Colour kTransparent{Colour::Source::Transparent};
inline constexpr Colour kUnset{};

// The colour on this platform: RGB as given, system colours from the palette.
QColor resolve(const Colour &colour, const QPalette &palette);

// What text and shapes need to stand out from their background.
inline constexpr double kTextContrast = 4.5;
inline constexpr double kShapeContrast = 3.0;

// A control's own colours on the desktop's palette as it is now: `background` in
// `backgroundRole`, or nothing where it is transparent and `behind` shows through; and
// `text` in `textRole`, resolved to stand out from what is drawn behind it by `goal`.
QPalette ownColours(QPalette::ColorRole backgroundRole, const Colour &background,
                    QPalette::ColorRole textRole, const Colour &text, const Colour &behind,
                    double goal);

// Contrast as WCAG 2 measures it: from 1 (the same luminance) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

} // namespace calendario
