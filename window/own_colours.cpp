#include "window/own_colours.h"

#include <QWidget>

namespace calendario {

bool hasOwnColours(const QWidget& widget, const QPalette& wanted)
{
    const QPalette& shown = widget.palette();
    // The wanted colours laid over the widget's: the same palette where the widget's own
    // colours are the wanted ones.
    return shown.resolveMask() == wanted.resolveMask() && wanted.resolve(shown) == shown;
}

void giveOwnColours(QWidget& widget, const QPalette& wanted)
{
    if (!hasOwnColours(widget, wanted))
        widget.setPalette(wanted);
}

}  // namespace calendario
