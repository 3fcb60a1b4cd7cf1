#pragma once

#include <QCursor>
#include <QLabel>
#include <QRect>

#include "calendar/int16.h"

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

    void setBackground(const QColor& colour);
    QColor background() const;
    void setTransparent();
    void setTextColour(const QColor& colour);

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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showPointer();

    QRect twips_;
    Int16 borderStyle_ = 0;
    Int16 mousePointer_ = DefaultPointer;
    QCursor mouseIcon_;
    bool hasMouseIcon_ = false;
    bool pressed_ = false;
};

}  // namespace calendario
