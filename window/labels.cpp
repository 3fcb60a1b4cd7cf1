#include "window/labels.h"

#include <utility>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "calendar/runtime_error.h"
#include "window/units.h"

namespace calendario {

void checkMousePointer(Int16 pointer)
{
    if (pointer != DefaultPointer && pointer != ArrowPointer && pointer != CustomPointer)
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
}

ClickLabel::ClickLabel(const ControlSpec &row, QWidget *parent)
    : QLabel(parent), row_(row), background_(row.background)
{
    setGeometry(pixelsFromTwips(row.twips()));
    if (row.font.face)
        setFont(makeFont(row.font));
    const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    setAlignment(horizontal[int(row.alignment)] | Qt::AlignTop);
    setBorderStyle(Int16(row.borderStyle));
    setMousePointer(Int16(row.mousePointer));
    setText(QString::fromUtf8(row.caption));
}

void ClickLabel::setCaption(const QString &caption)
{
    if (caption == text())
        return;
    setText(caption);
    fitCaption();
}

void ClickLabel::setBackground(const Colour &colour)
{
    if (colour == background_)
        return;
    background_ = colour;
    showColours();
}

void ClickLabel::showColours()
{
    const Colour &behind = isOpaque(background_) ? background_ : colourBehind(row_);
    setPalette(ownColours(QPalette::Window, background_, QPalette::WindowText, row_.foreground,
                          behind, kTextContrast));
    setAutoFillBackground(isOpaque(background_));
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
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    setFrameStyle(style == 1 ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    fitCaption();
}

// A caption is fitted once the label has been polished, as control returns to the event loop
// that is about to draw it, so that no font is read before the window is on its way to the
// screen; then whenever it changes.
bool ClickLabel::event(QEvent *event)
{
    const bool handled = QLabel::event(event);
    if (event->type() == QEvent::Polish)
        QMetaObject::invokeMethod(this, &ClickLabel::fitCaption, Qt::QueuedConnection);
    return handled;
}

void ClickLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitCaption();
}

QRect ClickLabel::lineRoom(const QFont &font) const
{
    QRect room = contentsRect();
    if (frameWidth() > 0)
        room.setTop(room.top() + QFontMetrics(font).horizontalAdvance(u'x') / 2);
    return room;
}

void ClickLabel::fitCaption()
{
    if (!row_.fitsText || !testAttribute(Qt::WA_WState_Polished))
        return;
    FittedText fitted = fitText(text(), font(), lineRoom(font()).size());
    // Broken into lines, the text takes the whole height inside the border.
    if (fitted.breaks)
        fitted = fitText(text(), font(), contentsRect().size());
    if (fitted.breaks || fitted.font != font())
        fitted_ = fitted;
    else
        fitted_.reset();
    update();
}

void ClickLabel::paintEvent(QPaintEvent *event)
{
    if (!fitted_) {
        QLabel::paintEvent(event);
    } else {
        QPainter painter(this);
        painter.setFont(fitted_->font);
        const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
        const bool broken = fitted_->breaks != 0;
        const int flags =
            broken ? int(horizontal | Qt::AlignVCenter) | fitted_->breaks : int(alignment());
        style()->drawItemText(&painter, broken ? contentsRect() : lineRoom(fitted_->font), flags,
                              palette(), isEnabled(), text(), foregroundRole());
    }
    // The border in the text's colour, whole at any scale, where the frame's own rectangle
    // can fall outside the label on its right and bottom.
    if (borderStyle_ == 1) {
        QPainter painter(this);
        fillOutline(painter, rect(), 1, palette().color(foregroundRole()));
    }
}

void ClickLabel::setMousePointer(Int16 pointer)
{
    checkMousePointer(pointer);
    if (pointer == mousePointer_)
        return;
    mousePointer_ = pointer;
    showPointer();
}

void ClickLabel::setMouseIcon(const QCursor &icon)
{
    mouseIcon_ = icon;
    showPointer();
}

void showMousePointer(QWidget *widget, Int16 pointer, const QCursor &icon)
{
    if (pointer == CustomPointer && icon.shape() == Qt::BitmapCursor)
        widget->setCursor(icon);
    else if (pointer == ArrowPointer)
        widget->setCursor(Qt::ArrowCursor);
    else
        widget->unsetCursor();
}

void ClickLabel::showPointer()
{
    showMousePointer(this, mousePointer_, mouseIcon_);
}

// A click is a press and a release of the left button, both on the label.
void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

FittedText fitText(const QString &text, const QFont &font, QSize room)
{
    const auto sized = [&](int pixels) {
        QFont f = font;
        f.setPixelSize(pixels);
        return f;
    };
    const auto fits = [&](const QFont &f, int breaks) {
        const QRect needed = QFontMetrics(f).boundingRect(QRect(QPoint(), room), breaks, text);
        return needed.width() <= room.width() && needed.height() <= room.height();
    };
    const int own = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    for (const int breaks : {0, int(Qt::TextWordWrap), int(Qt::TextWrapAnywhere)})
        for (int pixels = own; pixels >= kSmallestTextPixels; --pixels)
            if (fits(sized(pixels), breaks))
                return {pixels == own ? font : sized(pixels), breaks};
    return {sized(kSmallestTextPixels), Qt::TextWrapAnywhere};
}

void fillOutline(QPainter &painter, const QRect &bounds, int width, const QColor &colour)
{
    const QRect &r = bounds;
    painter.fillRect(r.x(), r.y(), r.width(), width, colour);
    painter.fillRect(r.x(), r.bottom() - width + 1, r.width(), width, colour);
    painter.fillRect(r.x(), r.y(), width, r.height(), colour);
    painter.fillRect(r.right() - width + 1, r.y(), width, r.height(), colour);
}

} // namespace calendario
