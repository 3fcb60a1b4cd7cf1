#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

namespace calendario {

// An outline `width` pixels wide drawn inside `bounds` as four filled strips. Unlike a
// stroked rectangle it stays whole at any scale: a strip of a pixel or more always covers
// at least one pixel of the screen, and never leaves its bounds.
inline void fillOutline(QPainter& painter, const QRect& bounds, int width, const QColor& colour)
{
    const QRect& r = bounds;
    painter.fillRect(r.x(), r.y(), r.width(), width, colour);
    painter.fillRect(r.x(), r.bottom() - width + 1, r.width(), width, colour);
    painter.fillRect(r.x(), r.y(), width, r.height(), colour);
    painter.fillRect(r.right() - width + 1, r.y(), width, r.height(), colour);
}

}  // namespace calendario
