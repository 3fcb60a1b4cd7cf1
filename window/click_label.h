#pragma once

#include <QCursor>
#include <QLabel>
#include <QRect>

#include "calendar/int16.h"
#include "window/layout_table.h"
#include "window/contrast.h"
#include "window/text_fit.h"

namespace calendario {

// The mouse pointer shown over a control.
enum MousePointer : int { DefaultPointer = 0, ArrowPointer = 1, CustomPointer = 99 };

// A label of the calendar: opaque or transparent, with an optional single border, a
// mouse pointer that may be a cursor picture of its own, and a click.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent);

    // Position and size in twips; the pixel geometry follows from them.
    void setTwipsGeometry(const QRect& twips);
    int leftTwips() const { return twips_.x(); }
    int topTwips() const { return twips_.y(); }

    // Opaque in `background`, or see-through with it showing through from beneath; the
    // text colour is resolved against it.
    void setColours(const Colour& background, const Colour& text, bool opaque);
    // An opaque background in place of the one the label has.
    void setBackground(const Colour& colour);
    const Colour& backgroundColour() const { return background_; }
    // The background as it is drawn.
    QColor background() const { return palette().color(QPalette::Window); }

    // Shows the label's colours as they resolve on the desktop's palette as it is now, unless
    // it shows them already.
    void showColours();

    // A text too long for the label is drawn smaller, or broken between words, never cut.
    void setShrinkToFit(bool shrink);
    // The font the text is drawn in, and whether it is broken into lines.
    FittedText shownText() const;

    void setBold(bool bold);
    bool isBold() const { return font().bold(); }
    void setUnderlined(bool underlined);
    bool isUnderlined() const { return font().underline(); }

    // 0 none, 1 a single border; any other value raises the invalid-property-value error.
    void setBorderStyle(Int16 style);
    Int16 borderStyle() const { return borderStyle_; }

    // 0 default, 1 arrow, 99 the label's mouse icon; others raise invalid-property-value.
    void setMousePointer(Int16 pointer);
    Int16 mousePointer() const { return mousePointer_; }
    void setMouseIcon(const QCursor& icon);
    const QCursor& mouseIcon() const { return mouseIcon_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showPointer();
    // Where the text goes: QLabel's own rule, which insets a framed label's text by half
    // an "x" on its aligned sides.
    QRect textRect(const QFont& font) const;

    QRect twips_;
    Colour background_ = kButtonFace;
    Colour text_ = kButtonText;
    bool opaque_ = true;
    // The fit, and what it was made for: the text, its font, and the room on one line and
    // on several, which follow from the size, the border, the margins, indent and alignment.
    struct Fitted {
        QString text;
        QFont font;
        QSize oneLineRoom;
        QSize room;
        FittedText shown;
    };
    mutable Fitted fitted_;
    // The label's colours, and the desktop palette they were last resolved on.
    QPalette colours_;
    qint64 resolvedOn_ = 0;
    bool shrinkToFit_ = false;
    Int16 borderStyle_ = 0;
    Int16 mousePointer_ = DefaultPointer;
    QCursor mouseIcon_;
    bool hasMouseIcon_ = false;
    bool pressed_ = false;
};

// A day cell of the grid. One cell at a time is the selected day, the one the frame
// surrounds; a screen reader hears it so.
class DayCell : public ClickLabel {
    Q_OBJECT

public:
    using ClickLabel::ClickLabel;

    void setSelected(bool selected);
    bool isSelected() const { return selected_; }

private:
    bool selected_ = false;
};

}  // namespace calendario
