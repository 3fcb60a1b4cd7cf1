#include "window/selection_frame.h"

#include <QPainter>

#include "window/outline.h"
#include "window/units.h"

namespace calendario {

SelectionFrame::SelectionFrame(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void SelectionFrame::setColour(const QColor& colour)
{
    colour_ = colour;
    update();
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
    fillOutline(painter, rect(), kLineWidth, colour_);
}

}  // namespace calendario
