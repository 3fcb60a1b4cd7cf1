#include "window/week_column.h"

#include <QPainter>

#include "window/control_table.h"
#include "window/day_grid.h"
#include "window/units.h"

namespace calendario {

namespace {

// Quieter than the days, and as readable as any text of the window on a light desktop.
constexpr Colour kWeekGrey = rgb(112, 112, 112);

} // namespace

WeekColumn::WeekColumn(const DayGrid &grid, QWidget *form) : QWidget(form), grid_(grid)
{
    setGeometry(0, 0, pixelsFromTwips(kWidthTwips), pixelsFromTwips(kFormTwips.height()));
    setFont(makeFont({"Tahoma", 8.25}));
    setAutoFillBackground(true);
    connect(&grid, &DayGrid::datesChanged, this, qOverload<>(&QWidget::update));
    showColours();
}

void WeekColumn::showColours()
{
    const QPalette own = ownColours(QPalette::Window, kWindowBackground, QPalette::WindowText,
                                    kWeekGrey, kWindowBackground, kTextContrast);
    setPalette(own);
    text_ = own.color(QPalette::WindowText);
}

// Each row's week is the week of any of its days, Monday to Sunday as an ISO week runs.
void WeekColumn::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(text_);
    const QPoint toGrid = grid_.mapTo(window(), QPoint()) - mapTo(window(), QPoint());
    for (int index = 0; index < grid_.count(); ++index) {
        const std::optional<Date> &date = grid_.cell(index).date();
        const bool firstOfRow = index % 7 == 0 || !grid_.cell(index - 1).date();
        if (!date || !firstOfRow)
            continue;
        const QRect cell = grid_.cellRect(index).translated(toGrid);
        const QRect room(0, cell.top(), width() - 3, cell.height());
        painter.drawText(room, Qt::AlignRight | Qt::AlignTop, QString::number(isoWeek(*date)));
    }
}

} // namespace calendario
