#include "window/face_style.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionButton>

namespace calendario {

FlatFaceStyle::FlatFaceStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void FlatFaceStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element != PE_PanelButtonCommand || !button || button->features & QStyleOptionButton::Flat)
        return;
    // Fusion draws a face as a gradient inside its outline and a light inner line, each one
    // pixel wide; the face within them takes the colour itself.
    const QColor face = option->palette.color(QPalette::Button);
    const bool down = option->state & (State_Sunken | State_On);
    painter->fillRect(option->rect.adjusted(2, 2, -2, -2), down ? face.darker(110) : face);
}

}  // namespace calendario
