#include "window/accessibility.h"

#include <algorithm>
#include <utility>

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include "window/controls.h"
#include "window/form1.h"
#include "window/labels.h"

namespace calendario {
namespace {

DayCell *selectedDayOf(const QWidget *panel)
{
    for (DayCell *day : panel->findChildren<DayCell *>(Qt::FindDirectChildrenOnly))
        if (day->isSelected())
            return day;
    return nullptr;
}

class DayCellAccessible : public QAccessibleWidget
{
public:
    explicit DayCellAccessible(DayCell *cell) : QAccessibleWidget(cell, QAccessible::Cell) { }

    QString text(QAccessible::Text t) const override
    {
        const auto *form = qobject_cast<const Form1 *>(cell()->window());
        return t == QAccessible::Name && form ? form->longDateOf(*cell())
                                              : QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (cell()->text().isEmpty()) {
            s.invisible = true;
            return s;
        }
        s.selectable = s.focusable = true;
        s.selected = cell()->isSelected();
        s.focused = s.selected && cell()->parentWidget()->hasFocus();
        return s;
    }

private:
    DayCell *cell() const { return static_cast<DayCell *>(widget()); }
};

// The panel lists its controls and the days of the month shown in reading order, top to
// bottom and left to right: not the empty cells, nor the list while it is closed, nor the
// frame, which only draws. While it has the keyboard, its focus is the selected day.
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

    QAccessibleInterface *focusChild() const override
    {
        if (widget()->hasFocus())
            if (DayCell *day = selectedDayOf(widget()))
                return QAccessible::queryAccessibleInterface(day);
        return QAccessibleWidget::focusChild();
    }

private:
    QList<QWidget *> shown() const
    {
        QList<QWidget *> controls;
        for (QWidget *w : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const auto *day = qobject_cast<DayCell *>(w);
            if (!w->isWindow() && !w->isHidden() && !qobject_cast<SelectionFrame *>(w)
                && !(day && day->text().isEmpty()))
                controls.append(w);
        }
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
    if (className == QLatin1String("calendario::DayCell"))
        return new DayCellAccessible(static_cast<DayCell *>(object));
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

void announceSelectedDay(QWidget *panel)
{
    if (!panel->hasFocus() || !QAccessible::isActive())
        return;
    if (DayCell *day = selectedDayOf(panel)) {
        QAccessibleEvent focus(day, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

} // namespace calendario
