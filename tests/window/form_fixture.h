#pragma once

#include <memory>
#include <vector>

#include <QEvent>
#include <QImage>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QTimer>

#include <gtest/gtest.h>

#include "calendar/clock.h"
#include "window/controls.h"
#include "window/day_grid.h"
#include "window/form1.h"
#include "window/labels.h"

namespace calendario {

namespace testing {

using namespace std::chrono;

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// The number from 1 to 53 that a band of a widget's picture shows, read by comparing its ink
// with each number drawn in the widget's font and colours; 0 where it shows none.
int numberDrawnIn(const QImage &band, const QWidget &widget);

// A calendar window on a pinned clock and the Italian locale, and the means to use it as a
// person would. A message box that reports an error is read and closed, as a user would.
class FormTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the window, runs start-up and shows it.
    void start(const char *locale = "it_IT");
    // Builds the window only, as it stands before start-up.
    void create(const char *locale = "it_IT");

    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        T *found = form->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    ClickLabel *label(const char *name) const
    {
        return control<ClickLabel>(QString::fromLatin1(name));
    }
    QPushButton *button(const char *name) const
    {
        return control<QPushButton>(QString::fromLatin1(name));
    }
    MonthList *list() const { return control<MonthList>(QStringLiteral("lstMESI")); }
    YearScrollBar *bar() const { return control<YearScrollBar>(QStringLiteral("VScroll1")); }
    DayGrid *grid() const { return control<DayGrid>(QStringLiteral("G")); }
    const DayCell &cell(int index) const { return grid()->cell(index); }

    // Mouse clicks in the middle of a control or of a day cell, as a user makes them.
    void click(QWidget *widget);
    void clickCell(int index);
    // Opens the list if it is closed and clicks the month's entry (0 = January).
    void chooseMonth(int index);
    // Shows a month as a user does: the year on the year bar, the month from the list.
    void showMonth(int month, int year);
    // Ends the sleep of the window's watch on the clock: it looks at the clock now.
    void wakeTheDayWatch();

    // Where the year bar draws one of its parts: SC_ScrollBarSubLine is the up arrow.
    QRect barPart(QStyle::SubControl part) const;

    QStringList cellTexts() const;
    // The cells painted in today's colour.
    std::vector<int> paintedCells() const;
    int framedCell() const { return grid()->framedCell(); }
    // Where the frame is drawn, and a cell lies, on the panel.
    QRect frameRect() const { return grid()->frame().rect().translated(grid()->pos()); }
    QRect cellRect(int index) const { return grid()->cellRect(index).translated(grid()->pos()); }
    // The day of the month last chosen, as the title names it ("07 dicembre 2005 mer").
    int selectedDay() const { return title().left(2).toInt(); }
    // The column of the shown month's day 1, and its number of days, as the cells show them.
    int firstColumn() const;
    int dayCount() const;
    QString title() const { return form->windowTitle(); }

    FixedClock clock{2005y / December / 7};
    // The ways the window is asked for, as create() and start() build it.
    Form1::Options options;
    std::unique_ptr<Form1> form;
    // The errors the message boxes reported.
    std::vector<RuntimeError> reported;

private:
    QTimer messageBoxes_;
};

} // namespace testing
} // namespace calendario
