#include "window/accessibility.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QPointer>

#include "window/controls.h"
#include "window/day_grid.h"

namespace calendario {
namespace {

constexpr int kColumns = 7;
constexpr int kRows = (kCellCount + kColumns - 1) / kColumns;

class DayGridAccessible;

// One day cell, as a cell of the grid's table: named by the full date it shows and described
// by its week, selected
// while the frame surrounds it, focused while the grid also has the keyboard. An empty cell
// is there, unseen and unnamed, so that the table has its rows and columns.
class DayCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    DayCellAccessible(DayGrid *grid, int index) : grid_(grid), index_(index) { }

    bool isValid() const override { return grid_; }
    QObject *object() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Cell; }

    // Named by its date, described by its week.
    QString text(QAccessible::Text t) const override
    {
        const std::optional<Date> &date = cell().date();
        if (!date)
            return {};
        if (t == QAccessible::Name)
            return grid_->nameOf(*date);
        return t == QAccessible::Description ? DayGrid::weekOf(*date) : QString();
    }
    void setText(QAccessible::Text, const QString &) override { }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!cell().date()) {
            s.invisible = true;
            return s;
        }
        s.selectable = s.focusable = true;
        s.selected = isSelected();
        s.focused = s.selected && grid_->hasFocus();
        return s;
    }

    QRect rect() const override
    {
        const QRect r = grid_->cellRect(index_);
        return QRect(grid_->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(grid_);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface
            ? static_cast<QAccessibleTableCellInterface *>(this)
            : nullptr;
    }

    bool isSelected() const override { return grid_->selectedCell() == index_; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index_ % kColumns; }
    int rowIndex() const override { return index_ / kColumns; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    const DayCell &cell() const { return grid_->cell(index_); }

    QPointer<DayGrid> grid_;
    int index_;
};

// The grid as a table of seven columns, Monday first, as a screen reader walks a calendar;
// its focus, while it has the keyboard, is the selected day.
class DayGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit DayGridAccessible(DayGrid *grid) : QAccessibleWidget(grid, QAccessible::Table) { }

    ~DayGridAccessible() override
    {
        for (const QAccessible::Id id : cells_)
            if (id)
                QAccessible::deleteAccessibleInterface(id);
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface *>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return kCellCount; }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= kCellCount)
            return nullptr;
        QAccessible::Id &id = cells_[std::size_t(index)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new DayCellAccessible(grid(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int i = 0; child && i < kCellCount; ++i)
            if (cells_[std::size_t(i)]
                && QAccessible::accessibleInterface(cells_[std::size_t(i)]) == child)
                return i;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const int index = grid()->cellAt(grid()->mapFromGlobal(QPoint(x, y)));
        return index >= 0 ? child(index) : nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        return grid()->hasFocus() ? child(grid()->selectedCell()) : nullptr;
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        return column >= 0 && column < kColumns ? child(row * kColumns + column) : nullptr;
    }
    int selectedCellCount() const override { return grid()->selectedCell() >= 0 ? 1 : 0; }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        if (QAccessibleInterface *selected = child(grid()->selectedCell()))
            return {selected};
        return {};
    }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kColumns; }
    int rowCount() const override { return kRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { }

private:
    DayGrid *grid() const { return static_cast<DayGrid *>(widget()); }

    mutable std::array<QAccessible::Id, kCellCount> cells_{};
};

// The panel lists its controls in reading order, top to bottom and left to right, and not
// the list while it is closed.
class PanelAccessible : public QAccessibleWidget
{
public:
    explicit PanelAccessible(Panel *panel) : QAccessibleWidget(panel, QAccessible::Client) { }

    int childCount() const override { return static_cast<int>(shown().size()); }
    QAccessibleInterface *child(int index) const override
    {
        return QAccessible::queryAccessibleInterface(shown().value(index));
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? static_cast<int>(shown().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget *> shown() const
    {
        QList<QWidget *> controls;
        for (QWidget *w : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!w->isWindow() && !w->isHidden())
                controls.append(w);
        std::ranges::sort(controls, {}, [](const QWidget *w) { return std::pair(w->y(), w->x()); });
        return controls;
    }
};

// The year bar holds the year negated; a screen reader hears the year itself.
class YearBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit YearBarAccessible(YearScrollBar *bar) : QAccessibleWidget(bar, QAccessible::ScrollBar)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface *>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? QString::number(bar()->year().value())
                                       : QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return bar()->year().value(); }
    void setCurrentValue(const QVariant &year) override { bar()->setValue(-year.toInt()); }
    QVariant maximumValue() const override { return bar()->topEnd().value(); }
    QVariant minimumValue() const override { return bar()->bottomEnd().value(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    YearScrollBar *bar() const { return static_cast<YearScrollBar *>(widget()); }
};

QAccessibleInterface *calendarInterfaces(const QString &className, QObject *object)
{
    if (className == QLatin1String("calendario::DayGrid"))
        return new DayGridAccessible(static_cast<DayGrid *>(object));
    if (className == QLatin1String("calendario::Panel"))
        return new PanelAccessible(static_cast<Panel *>(object));
    if (className == QLatin1String("calendario::YearScrollBar"))
        return new YearBarAccessible(static_cast<YearScrollBar *>(object));
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(calendarInterfaces);
}

} // namespace calendario
