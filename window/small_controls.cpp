#include "window/small_controls.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include "calendar/runtime_error.h"

namespace calendario {

ArrowButton::ArrowButton(Direction direction, QWidget* parent)
    : QPushButton(parent), direction_(direction)
{
}

void ArrowButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                     QPalette::ButtonText));
    // A triangle of 4 by 7 pixels (7 by 4 pointing down), centred, nudged when pressed.
    const QPointF c = QRectF(rect()).center() + (isDown() ? QPointF(0.5, 0.5) : QPointF());
    QPolygonF triangle;
    switch (direction_) {
    case Direction::Left:
        triangle << c + QPointF(-2, 0) << c + QPointF(2, -3.5) << c + QPointF(2, 3.5);
        break;
    case Direction::Right:
        triangle << c + QPointF(2, 0) << c + QPointF(-2, -3.5) << c + QPointF(-2, 3.5);
        break;
    case Direction::Down:
        triangle << c + QPointF(0, 2) << c + QPointF(-3.5, -2) << c + QPointF(3.5, -2);
        break;
    }
    painter.drawPolygon(triangle);
}

YearScrollBar::YearScrollBar(Int16 topEnd, Int16 bottomEnd, QWidget* parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setRange(-topEnd.value(), -bottomEnd.value());
    setValue(-topEnd.value());
    setSingleStep(1);
    setPageStep(1);
    setTracking(false);
    connect(this, &QScrollBar::valueChanged, this, &YearScrollBar::yearChanged);
}

void YearScrollBar::setYear(Int16 year)
{
    if (year > topEnd() || year < bottomEnd())
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    setValue(-year.value());
}

MonthList::MonthList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    // A single line for an edge: the twelve months then fill the grown list exactly.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    connect(this, &QListWidget::currentRowChanged, this, &MonthList::clicked);
}

void MonthList::setListIndex(Int16 index)
{
    if (index < -1 || index >= count())
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    setCurrentRow(index.value());
}

QString MonthList::text() const
{
    const QListWidgetItem* item = currentItem();
    return item ? item->text() : QString();
}

void MonthList::setHeightInWholeRows(int pixels)
{
    if (parentWidget())
        pixels = std::min(pixels, parentWidget()->height() - y());
    const int edges = 2 * frameWidth();
    const int row = count() > 0 ? sizeHintForRow(0) : 0;
    const int rows = row > 0 ? std::max(1, (pixels - edges) / row) : 0;
    setFixedHeight(row > 0 ? rows * row + edges : pixels);
}

// The list opens on the month shown, even when that is one of its last entries.
void MonthList::showEvent(QShowEvent* event)
{
    QListWidget::showEvent(event);
    if (currentItem())
        scrollToItem(currentItem());
}

void MonthList::mousePressEvent(QMouseEvent* event)
{
    rowAtPress_ = currentRow();
    QListWidget::mousePressEvent(event);
}

// Choosing the entry that is already selected changes no index, yet it is a choice: it
// is reported like a change, so that the list closes.
void MonthList::mouseReleaseEvent(QMouseEvent* event)
{
    const bool unchanged = currentRow() == rowAtPress_ && currentRow() >= 0;
    const QListWidgetItem* under = itemAt(event->position().toPoint());
    QListWidget::mouseReleaseEvent(event);
    if (unchanged && under && under == currentItem() && event->button() == Qt::LeftButton)
        emit clicked();
}

}  // namespace calendario
