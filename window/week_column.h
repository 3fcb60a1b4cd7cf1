#pragma once

#include <QWidget>

#include "window/colours.h"

namespace calendario {

class DayGrid;

// A narrow column of ISO week numbers left of the calendar, one beside each row of the grid
// that holds a day, in step with the month the grid shows.
class WeekColumn : public QWidget
{
    Q_OBJECT

public:
    // Twips: the column's width, by which the window grows.
    static constexpr int kWidthTwips = 270;

    WeekColumn(const DayGrid &grid, QWidget *form);

    // Its colours on the desktop's palette as it is now: the panel's background, and a grey
    // that stands out from it.
    void showColours();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const DayGrid &grid_;
    QColor text_;
};

} // namespace calendario
