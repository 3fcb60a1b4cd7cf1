#include "window/click_label.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "window/outline.h"
#include "window/own_colours.h"
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

void ClickLabel::setColours(const Colour& background, const Colour& text, bool opaque)
{
    // Every redraw of the grid gives every cell its background: most keep the one they have.
    if (resolvedOn_ != 0 && background == background_ && text == text_ && opaque == opaque_)
        return;
    background_ = background;
    text_ = text;
    opaque_ = opaque;
    resolvedOn_ = 0;
    showColours();
}

void ClickLabel::setBackground(const Colour& colour) { setColours(colour, text_, true); }

void ClickLabel::showColours()
{
    // Resolved once a desktop palette; given back whenever the label has other colours.
    const QPalette desktop = QGuiApplication::palette();
    if (desktop.cacheKey() != resolvedOn_) {
        resolvedOn_ = desktop.cacheKey();
        colours_ = QPalette();
        colours_.setColor(QPalette::Window, resolve(background_, desktop));
        colours_.setColor(QPalette::WindowText, resolveOn(text_, background_, desktop, kTextContrast));
    }
    giveOwnColours(*this, colours_);
    setAutoFillBackground(opaque_);
}

void ClickLabel::setShrinkToFit(bool shrink)
{
    shrinkToFit_ = shrink;
    update();
}

QRect ClickLabel::textRect(const QFont& font) const
{
    QRect r = contentsRect();
    if (frameWidth() == 0 || indent() >= 0)
        return r;
    const int inset = QFontMetrics(font).horizontalAdvance(QLatin1Char('x')) / 2;
    const Qt::Alignment a = alignment();
    r.adjust(a & Qt::AlignLeft ? inset : 0, a & Qt::AlignTop ? inset : 0,
             a & Qt::AlignRight ? -inset : 0, a & Qt::AlignBottom ? -inset : 0);
    return r;
}

FittedText ClickLabel::shownText() const
{
    if (!shrinkToFit_)
        return {font(), 0};
    // Each repaint asks again; the answer changes only with the text, the font or the room.
    const QSize oneLineRoom = textRect(font()).size();
    const QSize room = contentsRect().size();
    if (fitted_.text != text() || fitted_.font != font() || fitted_.oneLineRoom != oneLineRoom ||
        fitted_.room != room) {
        const FittedText oneLine = fitText(text(), font(), oneLineRoom);
        // Broken into lines, the text takes the whole height of the label.
        fitted_ = {text(), font(), oneLineRoom, room, oneLine.breaks ? fitText(text(), font(), room) : oneLine};
    }
    return fitted_.shown;
}

void ClickLabel::paintEvent(QPaintEvent* event)
{
    const FittedText shown = shownText();
    if (shown.font == font() && !shown.breaks) {
        QLabel::paintEvent(event);
    } else {
        QPainter painter(this);
        painter.setFont(shown.font);
        const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
        const QRect room = shown.breaks ? contentsRect() : textRect(shown.font);
        const int flags = shown.breaks ? int(horizontal | Qt::AlignVCenter) | shown.breaks
                                       : int(alignment());
        style()->drawItemText(&painter, room, flags, palette(), isEnabled(), text(), foregroundRole());
    }
    // The border in the style's colour and place; the style's own rectangle can fall
    // outside the label on its right and bottom at a fractional scale.
    if (borderStyle_ == 1) {
        QPainter painter(this);
        fillOutline(painter, rect(), 1, palette().color(foregroundRole()));
    }
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
    if (pointer == mousePointer_)
        return;
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

void DayCell::setSelected(bool selected)
{
    if (selected == selected_)
        return;
    selected_ = selected;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace calendario
