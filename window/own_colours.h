#pragma once

#include <QPalette>

class QWidget;

namespace calendario {

// Whether a widget has the colours of `wanted` as its own, and no others: each other colour
// it takes from its parent, and so from the desktop's palette as that changes. A desktop
// that gives a widget a palette of its own, as qt6ct gives every widget when its theme
// changes, leaves it with other colours.
bool hasOwnColours(const QWidget& widget, const QPalette& wanted);

// Gives the widget the colours of `wanted` as its own, and no others, unless it has them.
void giveOwnColours(QWidget& widget, const QPalette& wanted);

}  // namespace calendario
