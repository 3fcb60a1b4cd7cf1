#include "window/small_controls.h"

#include <algorithm>
#include <utility>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QStyle>
#include <QTimer>

#include "calendar/runtime_error.h"
#include "window/failure.h"
#include "window/text_fit.h"

namespace calendario {

Panel::Panel(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

void Panel::keyPressEvent(QKeyEvent* event)
{
    static constexpr int kCalendarKeys[] = {Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up, Qt::Key_Down,
                                            Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home};
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!plain || std::ranges::find(kCalendarKeys, event->key()) == std::end(kCalendarKeys)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    emit keyDown(event->key());
}

void Panel::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    emit focusReceived();
}

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
    throwIfRaisedHandlerFailed();
}

MonthList::MonthList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    // A long month name is drawn smaller or on two lines, never scrolled sideways or cut.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(true);
    // A single line for an edge: the twelve months then fill the grown list exactly.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MonthList::followSelection);
}

void MonthList::followSelection()
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first().row();
    if (row == selectedRow_)
        return;
    selectedRow_ = row;
    emit clicked();
}

void MonthList::setListIndex(Int16 index)
{
    if (index < -1 || index >= count())
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    if (index == listIndex())
        return;
    if (index < 0)
        selectionModel()->clearSelection();
    else if (isVisible())
        selectionModel()->setCurrentIndex(model()->index(index.value(), 0),
                                          QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->select(model()->index(index.value(), 0), QItemSelectionModel::ClearAndSelect);
    throwIfRaisedHandlerFailed();
}

QString MonthList::text() const
{
    const QListWidgetItem* entry = item(selectedRow_);
    return entry ? entry->text() : QString();
}

void MonthList::setHeightInWholeRows(int pixels)
{
    if (parentWidget())
        pixels = std::min(pixels, parentWidget()->height() - y());
    setFixedHeight(pixels);
    // Rows are measured in the list's font, and nobody sees them before the list opens:
    // they are measured once the window is up, or as the list opens, whichever comes first.
    rowsToFit_ = true;
    QTimer::singleShot(0, this, &MonthList::fitRows);
}

void MonthList::fitRows()
{
    if (!std::exchange(rowsToFit_, false))
        return;
    const int edges = 2 * frameWidth();
    const int row = count() > 0 ? sizeHintForRow(0) : 0;
    const int rows = row > 0 ? std::max(1, (height() - edges) / row) : 0;
    if (row > 0)
        setFixedHeight(rows * row + edges);
    fitEntries();
}

// Whatever the keys or a modifier ask, an entry is chosen whole and never unselected.
QItemSelectionModel::SelectionFlags MonthList::selectionCommand(const QModelIndex& index,
                                                                const QEvent*) const
{
    return index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate;
}

// The list has a current entry, for its keys, only while it is shown: a hidden list
// holds a month but no entry that could claim the keyboard.
void MonthList::showEvent(QShowEvent* event)
{
    fitRows();
    QListWidget::showEvent(event);
    const QModelIndex selected = model()->index(selectedRow_, 0);
    selectionModel()->setCurrentIndex(selected, QItemSelectionModel::NoUpdate);
    // It opens on the month shown, even when that is one of its last entries.
    if (selected.isValid())
        scrollTo(selected);
}

void MonthList::fitEntries()
{
    const int edges = 2 * frameWidth();
    const bool scrolls = count() * sizeHintForRow(0) > height() - edges;
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int room = width() - edges - (scrolls ? verticalScrollBar()->sizeHint().width() : 0) -
                     2 * margin;
    for (int row = 0; row < count(); ++row)
        item(row)->setFont(fitText(item(row)->text(), font(), QSize(room, 0xFFFF)).font);
}

void MonthList::hideEvent(QHideEvent* event)
{
    // A list that closes with the keyboard gives it back to the panel it hangs from.
    if (hasFocus() && parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    QListWidget::hideEvent(event);
}

int MonthList::leftButtonRowAt(const QMouseEvent* event) const
{
    if (event->button() != Qt::LeftButton)
        return -1;
    const QListWidgetItem* under = itemAt(event->position().toPoint());
    return under ? row(under) : -1;
}

void MonthList::mousePressEvent(QMouseEvent* event)
{
    rowAtPress_ = leftButtonRowAt(event);
    event->accept();
}

void MonthList::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

// Dragging chooses nothing: only the release decides.
void MonthList::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

// Choosing the entry that is already selected changes no index, yet it is a choice: it
// is reported like a change, so that the list closes.
void MonthList::mouseReleaseEvent(QMouseEvent* event)
{
    const int row = leftButtonRowAt(event);
    const bool click = row >= 0 && row == std::exchange(rowAtPress_, -1);
    event->accept();
    if (!click)
        return;
    if (row == selectedRow_)
        emit clicked();
    else
        selectionModel()->setCurrentIndex(model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

}  // namespace calendario
