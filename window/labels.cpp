#include "window/labels.h"

#include <utility>

#include <QAccessible>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "window/units.h"

namespace calendario {

ClickLabel::ClickLabel(const ControlSpec &row, QWidget *parent)
    : QLabel(parent), row_(row), background_(row.background)
{
    setGeometry(pixelsFromTwips(row.twips()));
    if (row.font.face)
        setFont(makeFont(row.font));
    const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    setAlignment(horizontal[int(row.alignment)]);
    setBorderStyle(Int16(row.borderStyle));
    setMousePointer(Int16(row.mousePointer));
    if (row.fitsText)
        fittedFrom_ = font();
    setCaption(QString::fromUtf8(row.caption));
}

void ClickLabel::setCaption(const QString &caption)
{
    // Every redraw of the grid writes every caption: most stay as they are.
    if (fittedFrom_ && caption != text())
        textPlaced_ = false;
    setText(caption);
}

void ClickLabel::setBackground(const Colour &colour)
{
    // Every redraw of the grid gives every cell its background: most keep the one they have.
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
    textPlaced_ = false;
    update();
}

// Where the text goes, and in which size, worked out as the label is next drawn, as QLabel
// lays out its own text: no font is read before the window is on the screen. The border
// takes a pixel on each side. A line of text keeps clear of the top border by half an x,
// as in a framed QLabel; lines broken take the whole height inside it, centred.
void ClickLabel::placeText()
{
    const int border = borderStyle_.value();
    const auto place = [&](bool broken) {
        const int inset = broken || !border
            ? 0
            : QFontMetrics(fittedFrom_.value_or(font())).horizontalAdvance(u'x') / 2;
        setContentsMargins(border, border + inset, border, border);
        setAlignment((alignment() & Qt::AlignHorizontal_Mask)
                     | (broken ? Qt::AlignVCenter : Qt::AlignTop));
    };
    place(false);
    if (!fittedFrom_)
        return;
    FittedText fitted = fitText(text(), *fittedFrom_, contentsRect().size());
    if (fitted.breaks) {
        place(true);
        fitted = fitText(text(), *fittedFrom_, contentsRect().size());
    }
    // A font that stays is no change to Qt; word wrap set again asks for another paint.
    setFont(fitted.font);
    if (wordWrap() != (fitted.breaks != 0))
        setWordWrap(fitted.breaks != 0);
    breaksAnywhere_ = fitted.breaks == Qt::TextWrapAnywhere;
}

void ClickLabel::paintEvent(QPaintEvent *event)
{
    if (!std::exchange(textPlaced_, true))
        placeText();
    if (breaksAnywhere_) {
        // QLabel breaks a text only between words.
        QPainter painter(this);
        style()->drawItemText(&painter, contentsRect(), int(alignment()) | Qt::TextWrapAnywhere,
                              palette(), isEnabled(), text(), foregroundRole());
    } else {
        QLabel::paintEvent(event);
    }
    if (borderStyle_ == 1) {
        QPainter painter(this);
        fillOutline(painter, rect(), 1, palette().color(foregroundRole()));
    }
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

void ClickLabel::setMouseIcon(const QCursor &icon)
{
    mouseIcon_ = icon;
    showPointer();
}

void ClickLabel::showPointer()
{
    if (mousePointer_ == CustomPointer && mouseIcon_.shape() == Qt::BitmapCursor)
        setCursor(mouseIcon_);
    else if (mousePointer_ == ArrowPointer)
        setCursor(Qt::ArrowCursor);
    else
        unsetCursor();
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

void DayCell::setSelected(bool selected)
{
    if (std::exchange(selected_, selected) == selected || !QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
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
