#pragma once

#include <optional>

#include <QCursor>
#include <QLabel>

#include "calendar/int16.h"
#include "window/control_table.h"

namespace calendario {

// The mouse pointer shown over a control: the default, the arrow, or its own picture.
inline constexpr Int16 DefaultPointer{0};
inline constexpr Int16 ArrowPointer{1};
inline constexpr Int16 CustomPointer{99};

// Raises the invalid-property-value error for any mouse pointer but those three.
void checkMousePointer(Int16 pointer);

// Shows over `widget` the pointer a mouse pointer value and icon call for: the icon for 99,
// when it is a picture; the arrow for 1; else the parent's.
void showMousePointer(QWidget *widget, Int16 pointer, const QCursor &icon);

// The hand pointer: a white hand outlined in black and shaded in grey, index finger up,
// thumb to the left, a dark blue cuff at the wrist; 32 by 32 pixels in colours of the
// standard 16-colour palette, everything around it transparent. Its hot spot is the tip of
// the index finger: a click lands where the finger points.
QCursor handPointer();

// The smallest text the window draws: 8 pixels, 6 points at 96 dpi.
inline constexpr int kSmallestTextPixels = 8;

// A font for a text, and how it is broken into lines: 0, Qt::TextWordWrap or Qt::TextWrapAnywhere.
struct FittedText
{
    QFont font;
    int breaks = 0;
};

// How a text fits a room with every letter shown: on one line, else broken between words,
// else broken anywhere, each in the largest size down to kSmallestTextPixels that fits;
// failing all, the smallest size broken anywhere.
FittedText fitText(const QString &text, const QFont &font, QSize room);

// A label of the calendar, as its row of the control table draws it: opaque or
// transparent, with an optional single border, a mouse pointer that may be a cursor
// picture of its own, and a click.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    ClickLabel(const ControlSpec &row, QWidget *parent);

    // The text. Where the locale gives it, one too long for the label is drawn smaller,
    // or broken into lines, never cut.
    void setCaption(const QString &caption);
    // The font and the line breaks the caption is drawn with.
    FittedText shownText() const { return fitted_.value_or(FittedText{font(), 0}); }

    // An opaque background in place of the one the label has, behind its own text colour.
    void setBackground(const Colour &colour);
    const Colour &backgroundColour() const { return background_; }
    // The label's colours, resolved on the desktop's palette as it is now; the window asks
    // for them as it is built, and again when the desktop's palette changes.
    void showColours();

    void setBold(bool bold);
    void setUnderlined(bool underlined);

    // 0 none, 1 a single border; any other value raises the invalid-property-value error.
    void setBorderStyle(Int16 style);
    Int16 borderStyle() const { return borderStyle_; }

    // 0 default, 1 arrow, 99 the label's mouse icon; others raise invalid-property-value.
    void setMousePointer(Int16 pointer);
    Int16 mousePointer() const { return mousePointer_; }
    void setMouseIcon(const QCursor &icon);
    const QCursor &mouseIcon() const { return mouseIcon_; }

signals:
    void clicked();

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Where a line of text goes in a font: inside the border, and clear of its top by half
    // an x, as QLabel places it.
    QRect lineRoom(const QFont &font) const;
    void fitCaption();
    void showPointer();

    const ControlSpec &row_;
    Colour background_;
    // How a caption too long for the label is drawn, when it is: worked out as the caption,
    // the border or the font changes, once the label is about to be shown.
    std::optional<FittedText> fitted_;
    Int16 borderStyle_;
    Int16 mousePointer_;
    QCursor mouseIcon_;
    bool pressed_ = false;
};

// An outline `width` pixels wide drawn inside `bounds` as four filled strips. Unlike a
// stroked rectangle it stays whole at any scale, and never leaves its bounds.
void fillOutline(QPainter &painter, const QRect &bounds, int width, const QColor &colour);

} // namespace calendario
