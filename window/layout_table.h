#pragma once

#include <array>
#include <cstdint>

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

namespace calendario {

// A colour as the design gives it: an RGB triple, one of the system's colours, or none.
struct Colour {
    enum class Source : std::uint8_t { Unset, Rgb, System, Transparent };
    Source source = Source::Unset;
    std::uint8_t red = 0, green = 0, blue = 0;
    int systemIndex = 0;

    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

constexpr Colour rgb(int r, int g, int b)
{
    return {Colour::Source::Rgb, std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), 0};
}
constexpr Colour systemColour(int index) { return {Colour::Source::System, 0, 0, 0, index}; }

inline constexpr Colour kWindowBackground = systemColour(5);
inline constexpr Colour kWindowText = systemColour(8);
inline constexpr Colour kButtonFace = systemColour(15);
inline constexpr Colour kButtonText = systemColour(18);
inline constexpr Colour kTransparent{Colour::Source::Transparent};
inline constexpr Colour kUnset{};

// The colour on this platform: RGB as given, system colours from the palette.
QColor resolve(const Colour& colour, const QPalette& palette);

// The colour of a text or a shape drawn on a background, both as the design gives them.
// The design chose its colours on a light desktop, and some pairs mix a fixed colour with
// a system one. The colour stays wherever it stands out from the background by `goal`;
// on a light desktop also where it stands out by as much as it does in the design. Else
// the colour it has on the light desktop takes its place where that stands out enough,
// else the nearest colour of its hue that does.
QColor resolveOn(const Colour& colour, const Colour& background, const QPalette& palette,
                 double goal);

struct FontSpec {
    const char* face = nullptr;  // nullptr: the window's default font
    double points = 0;
    bool bold = false;
    bool underline = false;
};

inline constexpr FontSpec kWindowDefaultFont{"MS Sans Serif", 8.25};

// The named face where the platform has it, else one of similar size.
QFont makeFont(const FontSpec& row);

enum class Kind { CommandButton, Panel, ListBox, VScrollBar, Label, DayCell, Shape };
enum class Parent { Form, Panel };
enum class Align { Left = 0, Right = 1, Centre = 2 };

// One control of the window as the design draws it. Positions and sizes are in twips,
// relative to the parent's interior.
struct ControlSpec {
    const char* name;
    int index = -1;  // place in a control array; -1 for a single control
    Kind kind = Kind::Label;
    Parent parent = Parent::Panel;
    int left = 0, top = 0, width = 0, height = 0;
    int tabIndex = -1;  // -1: no place in the tab order
    const char* caption = nullptr;
    Colour background = kUnset;
    Colour foreground = kUnset;
    FontSpec font{};
    Align alignment = Align::Left;
    int borderStyle = 0;
    int mousePointer = 0;
    const char* tooltip = nullptr;
    // A text that the locale gives, which may be too long for the control: it shrinks.
    bool shrinkToFit = false;

    QRect twips() const { return QRect(left, top, width, height); }
    bool isLabel() const { return kind == Kind::Label || kind == Kind::DayCell; }
    // The panel, the buttons, the scroll bar and the list take the keyboard focus.
    bool takesFocus() const { return tabIndex >= 0 && !isLabel(); }
    // "lblMESE" for a single control, "G(12)" for cell 12 of the array G.
    QString objectName() const;
};

inline constexpr int kControlCount = 51;

// The window's own background, which shows only in the strip under the panel.
inline constexpr Colour kFormBackground = kButtonFace;

// Every control of the window, in creation order; one that comes earlier lies above one
// that comes later.
const std::array<ControlSpec, kControlCount>& controlTable();

// What a control's text or lines are drawn on: its own background, or, where it has none
// (a transparent label, the frame), whatever its parent shows.
const Colour& colourBehind(const ControlSpec& row);

// The window: its client area and where that area opens on the screen, in twips.
inline constexpr QRect kFormTwips{10890, 3060, 2415, 2580};

// The year bar's ends: the top end is the larger year.
inline constexpr int kTopYear = 2500;
inline constexpr int kBottomYear = 1500;

// The month list grows to this height once it holds the months.
inline constexpr int kMonthListHeight = 2370;

// The selection frame's colour.
inline constexpr Colour kFrameColour = rgb(0, 0, 255);

}  // namespace calendario
