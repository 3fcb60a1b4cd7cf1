#include "window/controls.h"

#include <algorithm>
#include <utility>

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>

#include "calendar/runtime_error.h"
#include "window/labels.h"
#include "window/units.h"

namespace calendario {

Panel::Panel(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
}

void Panel::keyPressEvent(QKeyEvent *event)
{
    static constexpr int kCalendarKeys[] = {
        Qt::Key_Left,     Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,   Qt::Key_PageUp,
        Qt::Key_PageDown, Qt::Key_Home,  Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter};
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    int key = event->key();
    // Ctrl+C, or what the platform copies with, as the one key it stands for.
    if (event->matches(QKeySequence::Copy))
        key = Qt::Key_Copy;
    else if (!plain || std::ranges::find(kCalendarKeys, key) == std::end(kCalendarKeys))
        return QWidget::keyPressEvent(event);
    event->accept();
    emit keyDown(key);
}

// Each notch of a wheel, as a mouse's wheel turns it, to the control it turned over; a
// touchpad's smaller steps add up to notches.
void Panel::wheelEvent(QWheelEvent *event)
{
    event->accept();
    QWidget *over = childAt(event->position().toPoint());
    if (over != wheelOver_) {
        wheelOver_ = over;
        wheelTurn_ = 0;
    }
    wheelTurn_ += event->angleDelta().y();
    for (; wheelTurn_ >= QWheelEvent::DefaultDeltasPerStep;
         wheelTurn_ -= QWheelEvent::DefaultDeltasPerStep)
        emit wheelNotch(over, true);
    for (; wheelTurn_ <= -QWheelEvent::DefaultDeltasPerStep;
         wheelTurn_ += QWheelEvent::DefaultDeltasPerStep)
        emit wheelNotch(over, false);
}

ArrowButton::ArrowButton(Arrow arrow, QWidget *parent) : QPushButton(parent), arrow_(arrow) { }

void ArrowButton::keyPressEvent(QKeyEvent *event)
{
    // A push button's arrow keys would pass the focus on; left unhandled, they reach the panel.
    if (event->key() >= Qt::Key_Left && event->key() <= Qt::Key_Down)
        return event->ignore();
    QPushButton::keyPressEvent(event);
}

void ArrowButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    // The style draws the face inside an outline and a light inner line, each a pixel wide;
    // the face within them takes the button's colour itself.
    const QColor face = option.palette.color(QPalette::Button);
    const bool down = option.state & (QStyle::State_Sunken | QStyle::State_On);
    painter.fillRect(option.rect.adjusted(2, 2, -2, -2), down ? face.darker(110) : face);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    // A triangle of 4 by 7 pixels (7 by 4 pointing down), centred, nudged when pressed.
    const QPointF c = QRectF(rect()).center() + (isDown() ? QPointF(0.5, 0.5) : QPointF());
    const auto point = [&](double x, double y) { return c + QPointF(x, y); };
    switch (arrow_) {
    case Arrow::Left:
        painter.drawPolygon(QPolygonF{point(-2, 0), point(2, -3.5), point(2, 3.5)});
        break;
    case Arrow::Right:
        painter.drawPolygon(QPolygonF{point(2, 0), point(-2, -3.5), point(-2, 3.5)});
        break;
    case Arrow::Down:
        painter.drawPolygon(QPolygonF{point(0, 2), point(-3.5, -2), point(3.5, -2)});
        break;
    case Arrow::None:
        break;
    }
}

YearScrollBar::YearScrollBar(Int16 topEnd, Int16 bottomEnd, QWidget *parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setRange(-topEnd.value(), -bottomEnd.value());
    setValue(-topEnd.value());
    setPageStep(1);
    setTracking(false);
}

void YearScrollBar::setYear(Int16 year)
{
    if (year > topEnd() || year < bottomEnd())
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    setValue(-year.value());
}

MonthList::MonthList(QWidget *parent) : QListWidget(parent)
{
    // A long month name is drawn smaller or on two lines, never scrolled sideways or cut.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(true);
    // A single line for an edge: the twelve months then fill the grown list exactly.
    setFrameStyle(QFrame::Box | QFrame::Plain);
}

Int16 MonthList::listIndex() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return Int16(selected.isEmpty() ? -1 : selected.first().row());
}

void MonthList::setListIndex(Int16 index)
{
    if (index < -1 || index >= count())
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    const QModelIndex entry = model()->index(index.value(), 0);
    if (isVisible())
        selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->select(entry, QItemSelectionModel::ClearAndSelect);
}

QString MonthList::text() const
{
    const QListWidgetItem *entry = item(listIndex().value());
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
    if (!std::exchange(rowsToFit_, false) || count() == 0)
        return;
    const int row = std::max(1, sizeHintForRow(0));
    const int edges = 2 * frameWidth();
    const int rows = std::max(1, (height() - edges) / row);
    setFixedHeight(rows * row + edges);
    // Entries too long for a row are drawn smaller, or broken between words.
    const bool scrolls = count() > rows;
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int room =
        width() - edges - (scrolls ? verticalScrollBar()->sizeHint().width() : 0) - 2 * margin;
    for (int i = 0; i < count(); ++i)
        item(i)->setFont(fitText(item(i)->text(), font(), QSize(room, 0xFFFF)).font);
}

// The left button and the keys select, an entry whole; a Ctrl+click too, never leaving the
// list without a month.
QItemSelectionModel::SelectionFlags MonthList::selectionCommand(const QModelIndex &index,
                                                                const QEvent *event) const
{
    const bool otherButton = event && event->isPointerEvent()
        && !(static_cast<const QMouseEvent *>(event)->buttons() & Qt::LeftButton);
    return index.isValid() && !otherButton ? QItemSelectionModel::ClearAndSelect
                                           : QItemSelectionModel::NoUpdate;
}

void MonthList::keyPressEvent(QKeyEvent *event)
{
    const Int16 before = listIndex();
    QListWidget::keyPressEvent(event);
    if (listIndex() != before)
        emit chosen();
}

void MonthList::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && listIndex() >= 0)
        emit chosen();
}

void MonthList::showEvent(QShowEvent *event)
{
    fitRows();
    QListWidget::showEvent(event);
    // It opens on the month shown, even when that is one of its last entries.
    const QModelIndex selected = model()->index(listIndex().value(), 0);
    selectionModel()->setCurrentIndex(selected, QItemSelectionModel::NoUpdate);
    if (selected.isValid())
        scrollTo(selected);
}

void MonthList::hideEvent(QHideEvent *event)
{
    // A list that closes with the keyboard gives it back to the panel it hangs from.
    if (hasFocus() && parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    QListWidget::hideEvent(event);
}

} // namespace calendario
