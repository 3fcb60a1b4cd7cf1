#include "window/day_grid.h"

#include <algorithm>
#include <utility>

#include <QAccessible>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "calendar/runtime_error.h"
#include "window/labels.h"
#include "window/units.h"

namespace calendario {

void DayCell::setCaption(const QString &caption)
{
    if (caption.isEmpty() && date_) {
        date_.reset();
        renamed_ = true;
        grid_->changed();
    }
    if (caption == caption_)
        return;
    caption_ = caption;
    grid_->changed();
}

void DayCell::setDate(Date date)
{
    if (date == date_)
        return;
    date_ = date;
    renamed_ = true;
    grid_->changed();
}

void DayCell::setBackground(const Colour &colour)
{
    // Every redraw gives every cell its background: most keep the one they have.
    if (colour == background_)
        return;
    background_ = colour;
    showColours();
    grid_->changed();
}

void DayCell::showColours()
{
    const QPalette own = ownColours(QPalette::Window, background_, QPalette::WindowText,
                                    row_->foreground, background_, kTextContrast);
    shownBackground_ = own.color(QPalette::Window);
    shownText_ = own.color(QPalette::WindowText);
}

void DayCell::setMousePointer(Int16 pointer)
{
    checkMousePointer(pointer);
    if (pointer == mousePointer_)
        return;
    mousePointer_ = pointer;
    grid_->changed();
}

void DayCell::setMouseIcon(const QCursor &icon)
{
    mouseIcon_ = icon;
    grid_->changed();
}

void SelectionFrame::moveTwips(int left, int top)
{
    if (left == left_ && top == top_)
        return;
    left_ = left;
    top_ = top;
    grid_->changed();
}

QRect SelectionFrame::rect() const
{
    const QSize size = pixelsFromTwips(row_->twips()).size();
    return QRect(QPoint(pixelsFromTwips(left_), pixelsFromTwips(top_)) - grid_->pos(), size);
}

DayGrid::DayGrid(const DateNames &names, QWidget *panel) : QWidget(panel), names_(names)
{
    // Room for every cell, and for the frame around any of them.
    QRect bounds;
    for (const ControlSpec &row : controlTable()) {
        if (row.id == Control::G) {
            DayCell &cell = cells_.at(std::size_t(row.index));
            cell.grid_ = this;
            cell.row_ = &row;
            cell.background_ = row.background;
            cell.mousePointer_ = Int16(row.mousePointer);
            cell.caption_ = QString::fromUtf8(row.caption);
            bounds |= pixelsFromTwips(row.twips());
        } else if (row.id == Control::Shape1) {
            frame_.grid_ = this;
            frame_.row_ = &row;
            frame_.left_ = row.left;
            frame_.top_ = row.top;
        }
    }
    const QSize frameSize = pixelsFromTwips(frame_.row_->twips()).size();
    for (const DayCell &cell : cells_)
        bounds |= QRect(QPoint(pixelsFromTwips(cell.leftTwips() - kFrameInset),
                               pixelsFromTwips(cell.topTwips() - kFrameInset)),
                        frameSize);
    setGeometry(bounds | pixelsFromTwips(frame_.row_->twips()));
    setFont(makeFont(cells_[0].row_->font));
    setMouseTracking(true);
    showColours();
}

DayCell &DayGrid::cell(Int16 index)
{
    if (index < 0 || index >= count())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    return cells_[std::size_t(index.value())];
}

int DayGrid::framedCell() const
{
    for (int i = 0; i < count(); ++i)
        if (frame_.left_ == cells_[i].leftTwips() - kFrameInset
            && frame_.top_ == cells_[i].topTwips() - kFrameInset)
            return i;
    return -1;
}

int DayGrid::selectedCell() const
{
    const int framed = framedCell();
    return framed >= 0 && cells_[framed].date_ ? framed : -1;
}

QRect DayGrid::cellRect(int index) const
{
    return pixelsFromTwips(cells_.at(std::size_t(index)).row_->twips()).translated(-pos());
}

int DayGrid::cellAt(QPoint point) const
{
    for (int i = 0; i < count(); ++i)
        if (cellRect(i).contains(point))
            return i;
    return -1;
}

void DayGrid::showColours()
{
    // Cells of the same background and text colours share what those resolve to.
    for (auto cell = cells_.begin(); cell != cells_.end(); ++cell) {
        const auto alike = std::find_if(cells_.begin(), cell, [&](const DayCell &other) {
            return other.background_ == cell->background_
                && other.row_->foreground == cell->row_->foreground;
        });
        if (alike == cell) {
            cell->showColours();
        } else {
            cell->shownBackground_ = alike->shownBackground_;
            cell->shownText_ = alike->shownText_;
        }
    }
    const ControlSpec &row = *frame_.row_;
    frame_.colour_ = ownColours(QPalette::Window, row.background, QPalette::WindowText,
                                row.foreground, colourBehind(row), kShapeContrast)
                         .color(QPalette::WindowText);
    update();
}

void DayGrid::changed()
{
    update();
    if (!following_) {
        following_ = true;
        QMetaObject::invokeMethod(this, &DayGrid::follow, Qt::QueuedConnection);
    }
}

void DayGrid::follow()
{
    following_ = false;
    if (underMouse())
        showPointer(mapFromGlobal(QCursor::pos()));
    const bool renamed = std::ranges::any_of(cells_, &DayCell::renamed_);
    announce(false);
    if (renamed)
        emit datesChanged();
}

QString DayGrid::weekOf(Date date)
{
    return QStringLiteral("settimana %1").arg(isoWeek(date));
}

// A day's tooltip tells its week.
bool DayGrid::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const int index = cellAt(help->pos());
    if (index >= 0 && cells_[std::size_t(index)].date_)
        QToolTip::showText(help->globalPos(), weekOf(*cells_[std::size_t(index)].date_), this,
                           cellRect(index));
    else
        QToolTip::hideText();
    return true;
}

// Each cell as a label would draw it: its background, then its number at the top right.
// The frame lies above every cell but the first.
void DayGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const auto paintCell = [&](int index) {
        const DayCell &cell = cells_[std::size_t(index)];
        const QRect r = cellRect(index);
        painter.fillRect(r, cell.shownBackground_);
        if (cell.caption_.isEmpty())
            return;
        painter.setPen(cell.shownText_);
        painter.drawText(r, Qt::AlignRight | Qt::AlignTop | Qt::TextForceLeftToRight,
                         cell.caption_);
    };
    for (int i = count() - 1; i > 0; --i)
        paintCell(i);
    fillOutline(painter, frame_.rect(), 2, frame_.colour_);
    paintCell(0);
}

void DayGrid::showPointer(QPoint at)
{
    const int index = cellAt(at);
    if (index < 0)
        return unsetCursor();
    const DayCell &cell = cells_[std::size_t(index)];
    showMousePointer(this, cell.mousePointer_, cell.mouseIcon_);
}

void DayGrid::mouseMoveEvent(QMouseEvent *event)
{
    showPointer(event->position().toPoint());
}

// A click is a press and a release of the left button, both on the same cell.
void DayGrid::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton ? cellAt(event->position().toPoint()) : -1;
}

void DayGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    doublePressed_ = pressed_ >= 0;
}

void DayGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const int released =
        event->button() == Qt::LeftButton ? cellAt(event->position().toPoint()) : -1;
    const bool twice = std::exchange(doublePressed_, false);
    if (released < 0 || std::exchange(pressed_, -1) != released)
        return;
    emit clicked(released);
    if (twice)
        emit doubleClicked(released);
}

void DayGrid::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    // Once the reader has heard the window take the keyboard, it hears the selected day.
    QMetaObject::invokeMethod(
        this, [this] { announce(true); }, Qt::QueuedConnection);
}

// The cells that name other dates, so that a reader forgets the names it kept; the day
// selected, as a reader's selection and, while the grid has the keyboard, its focus; the day
// no longer selected, as no longer selected.
void DayGrid::announce(bool focusMoved)
{
    const bool listening = QAccessible::isActive();
    for (int i = 0; i < count(); ++i) {
        if (!std::exchange(cells_[std::size_t(i)].renamed_, false) || !listening)
            continue;
        for (const QAccessible::Event change :
             {QAccessible::NameChanged, QAccessible::DescriptionChanged}) {
            QAccessibleEvent renamed(this, change);
            renamed.setChild(i);
            QAccessible::updateAccessibility(&renamed);
        }
    }
    if (!listening)
        return;
    const int selected = selectedCell();
    const std::optional<Date> day =
        selected >= 0 ? cells_[std::size_t(selected)].date_ : std::nullopt;
    if (day == announced_ && !focusMoved)
        return;
    const int before = std::exchange(announcedCell_, selected);
    announced_ = day;
    if (before >= 0 && before != selected) {
        QAccessibleEvent removed(this, QAccessible::SelectionRemove);
        removed.setChild(before);
        QAccessible::updateAccessibility(&removed);
    }
    if (selected < 0)
        return;
    QAccessibleEvent added(this, QAccessible::Selection);
    added.setChild(selected);
    QAccessible::updateAccessibility(&added);
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(selected);
        QAccessible::updateAccessibility(&focus);
    }
}

} // namespace calendario
