#pragma once

#include <QProxyStyle>

namespace calendario {

// Fusion, with a push button's face in its palette colour, flat, as the design draws a
// coloured button; darker while it is pressed. Fusion's own outline and focus stay.
class FlatFaceStyle : public QProxyStyle {
    Q_OBJECT

public:
    FlatFaceStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace calendario
