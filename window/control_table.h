#pragma once

#include <array>

#include <QFont>
#include <QRect>
#include <QString>

#include "window/colours.h"

namespace calendario {

// The window's controls by their names; G is the array of day cells.
enum class Control {
    Command1,
    pctCAL,
    lstMESI,
    cmdMESI,
    VScroll1,
    Command3,
    Command2,
    Label4,
    lblOGGI,
    lblMESE,
    lblANNO,
    G,
    Shape1,
    Oggi,
};

enum class Kind { CommandButton, Panel, ListBox, VScrollBar, Label, DayCell, Shape };
enum class Parent { Form, Panel };
enum class Align { Left = 0, Right = 1, Centre = 2 };
// The solid triangle a small button shows, drawn rather than taken from a symbol font.
enum class Arrow { None, Left, Right, Down };

struct FontSpec
{
    const char *face = nullptr; // nullptr: the window's default font
    double points = 0;
    bool bold = false;
    bool underline = false;
};

inline constexpr FontSpec kWindowDefaultFont{"MS Sans Serif", 8.25};

// The named face where the platform has it, else one of similar size.
QFont makeFont(const FontSpec &design);

// One control of the window as the design draws it. Positions and sizes are in twips,
// relative to the parent's interior.
struct ControlSpec
{
    Control id;
    int index = -1; // place in a control array; -1 for a single control
    Kind kind = Kind::Label;
    Parent parent = Parent::Panel;
    int left = 0, top = 0, width = 0, height = 0;
    int tabIndex = -1; // -1: no place in the tab order
    const char *caption = nullptr;
    Colour background = kUnset;
    Colour foreground = kUnset;
    FontSpec font{};
    Align alignment = Align::Left;
    int borderStyle = 0;
    int mousePointer = 0;
    const char *tooltip = nullptr;
    Arrow arrow = Arrow::None;
    // A text that the locale gives, which may be too long for the control: it shrinks.
    bool fitsText = false;

    QRect twips() const { return QRect(left, top, width, height); }
    bool isLabel() const { return kind == Kind::Label || kind == Kind::DayCell; }
    // The panel, the buttons, the scroll bar and the list take the keyboard focus.
    bool takesFocus() const { return tabIndex >= 0 && !isLabel(); }
    // "lblMESE" for a single control, "G(12)" for cell 12 of the array G.
    QString objectName() const;
};

inline constexpr int kControlCount = 51;

// Every control of the window, in creation order; one that comes earlier lies above one
// that comes later.
const std::array<ControlSpec, kControlCount> &controlTable();

// The window's own background, which shows only in the strip under the panel.
inline constexpr Colour kFormBackground = kButtonFace;

// What a control's text or lines are drawn on: its own background, or, where it has none
// (a transparent label, the frame), the panel's.
const Colour &colourBehind(const ControlSpec &row);

// The window: its client area and where that area opens on the screen, in twips.
inline constexpr QRect kFormTwips{10890, 3060, 2415, 2580};

// The selection frame's corner lies this many twips left of and above the corner of the
// cell it surrounds.
inline constexpr int kFrameInset = 30;

// The month list grows to this height once it holds the months.
inline constexpr int kMonthListHeight = 2370;

} // namespace calendario
