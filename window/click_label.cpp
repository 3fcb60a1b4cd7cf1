#include "window/click_label.h"

#include <QMouseEvent>

#include "window/units.h"

namespace calendario {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent)
{
    setAutoFillBackground(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ClickLabel::setTwipsGeometry(const QRect& twips)
{
    twips_ = twips;
    setGeometry(pixelsFromTwips(twips));
}

void ClickLabel::setBackground(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setAutoFillBackground(true);
}

QColor ClickLabel::background() const { return palette().color(QPalette::Window); }

void ClickLabel::setTransparent() { setAutoFillBackground(false); }

void ClickLabel::setTextColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void ClickLabel::setBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

void ClickLabel::setUnderlined(bool underlined)
{
    QFont f = font();
    f.setUnderline(underlined);
    setFont(f);
}

void ClickLabel::setBorderStyle(Int16 style)
{
    if (style != 0 && style != 1)
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    borderStyle_ = style;
    setFrameStyle(style == 1 ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
}

void ClickLabel::setMousePointer(Int16 pointer)
{
    if (pointer != DefaultPointer && pointer != ArrowPointer && pointer != CustomPointer)
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    mousePointer_ = pointer;
    showPointer();
}

void ClickLabel::setMouseIcon(const QCursor& icon)
{
    mouseIcon_ = icon;
    hasMouseIcon_ = true;
    showPointer();
}

void ClickLabel::showPointer()
{
    if (mousePointer_ == CustomPointer && hasMouseIcon_)
        setCursor(mouseIcon_);
    else if (mousePointer_ == ArrowPointer)
        setCursor(Qt::ArrowCursor);
    else
        unsetCursor();
}

// A click is a press and a release of the left button, both on the label.
void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

}  // namespace calendario
