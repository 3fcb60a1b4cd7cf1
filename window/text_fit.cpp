#include "window/text_fit.h"

#include <QFontMetrics>
#include <QRect>

namespace calendario {
namespace {

QFont sized(QFont font, int pixels)
{
    font.setPixelSize(pixels);
    return font;
}

bool fits(const QString& text, const QFont& font, int breaks, QSize room)
{
    const QRect needed = QFontMetrics(font).boundingRect(QRect(QPoint(), room), breaks, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

}  // namespace

FittedText fitText(const QString& text, const QFont& font, QSize room)
{
    const int own = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    for (const int breaks : {0, int(Qt::TextWordWrap), int(Qt::TextWrapAnywhere)})
        for (int pixels = own; pixels >= kSmallestTextPixels; --pixels)
            if (fits(text, sized(font, pixels), breaks, room))
                return {pixels == own ? font : sized(font, pixels), breaks};
    return {sized(font, kSmallestTextPixels), Qt::TextWrapAnywhere};
}

}  // namespace calendario
