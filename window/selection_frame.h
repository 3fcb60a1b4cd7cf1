#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

namespace calendario {

// The frame around the selected day: a solid outline, 2 pixels wide, drawn inside its
// bounds, with a see-through middle that lets clicks through to the cell beneath.
class SelectionFrame : public QWidget {
    Q_OBJECT

public:
    explicit SelectionFrame(QWidget* parent);

    void setTwipsGeometry(const QRect& twips);
    // Moves the frame, keeping its size; the position is converted to pixels here only.
    void moveTwips(int left, int top);
    int leftTwips() const { return twips_.x(); }
    int topTwips() const { return twips_.y(); }
    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

    static constexpr int kLineWidth = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect twips_;
    QColor colour_;
};

}  // namespace calendario
