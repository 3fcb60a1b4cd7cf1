#include "window/selection_frame.h"

#include <QPainter>

#include "window/units.h"

namespace calendario {

SelectionFrame::SelectionFrame(const QColor& colour, QWidget* parent)
    : QWidget(parent), colour_(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void SelectionFrame::setTwipsGeometry(const QRect& twips)
{
    twips_ = twips;
    setGeometry(pixelsFromTwips(twips));
}

void SelectionFrame::moveTwips(int left, int top)
{
    twips_.moveTo(left, top);
    move(pixelsFromTwips(left), pixelsFromTwips(top));
}

void SelectionFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    const int w = kLineWidth;
    painter.fillRect(r.x(), r.y(), r.width(), w, colour_);
    painter.fillRect(r.x(), r.bottom() - w + 1, r.width(), w, colour_);
    painter.fillRect(r.x(), r.y(), w, r.height(), colour_);
    painter.fillRect(r.right() - w + 1, r.y(), w, r.height(), colour_);
}

}  // namespace calendario
