#include <functional>

#include <QAccessible>
#include <QApplication>
#include <QDate>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include "window/form_fixture.h"
#include "window/week_column.h"

namespace calendario::testing {
namespace {

class Grid : public FormTest
{
protected:
    // The days of the shown month, cell by cell, "" for an empty cell.
    void expectDaysFrom(int first, int count)
    {
        for (int i = 0; i < kCellCount; ++i) {
            const bool used = i >= first && i < first + count;
            EXPECT_EQ(cell(i).text(), used ? QString::number(i - first + 1) : QString()) << i;
            EXPECT_EQ(cell(i).mousePointer(), used ? CustomPointer : DefaultPointer) << i;
        }
    }
};

struct MonthRow
{
    const char *name;
    int month, year;
    int inizio, numGiorni;
};

void PrintTo(const MonthRow &row, std::ostream *out)
{
    *out << row.name;
}

class GridMonths : public Grid, public ::testing::WithParamInterface<MonthRow>
{
};

TEST_P(GridMonths, DaysFillConsecutiveCellsFromTheColumnOfDayOne)
{
    start();
    const MonthRow &row = GetParam();
    showMonth(row.month, row.year);
    expectDaysFrom(row.inizio, row.numGiorni);
    EXPECT_EQ(form->monthShown(), row.month);
    EXPECT_EQ(form->yearShown(), row.year);
    EXPECT_EQ(framedCell(), 7 + row.inizio - 1); // the selected day is still today's 7
}

const MonthRow kMonths[] = {
    {"September2005", 9, 2005, 3, 30},
    {"May2005_LastCellUsed", 5, 2005, 6, 31},
    {"August2005_StartsOnMonday", 8, 2005, 0, 31},
    {"February1500", 2, 1500, 3, 28},
    {"February2000_Leap", 2, 2000, 1, 29},
    {"February2100", 2, 2100, 0, 28},
    {"February2500", 2, 2500, 0, 28},
    {"December2500", 12, 2500, 2, 31},
    {"January2005_Week53", 1, 2005, 5, 31},
    {"December2008_Week1", 12, 2008, 0, 31},
};
const auto kMonthName = [](const auto &info) { return std::string(info.param.name); };

INSTANTIATE_TEST_SUITE_P(Months, GridMonths, ::testing::ValuesIn(kMonths), kMonthName);

class GridWeeks : public Grid, public ::testing::WithParamInterface<MonthRow>
{
};

// Each day's ISO week, as QDate counts it: beside its row in the week column, in its tooltip
// and in what a screen reader hears of it.
TEST_P(GridWeeks, EachRowAndDayTellsItsIsoWeek)
{
    options.weekNumbers = true;
    start();
    const MonthRow &row = GetParam();
    showMonth(row.month, row.year);
    const auto weekOfCell = [&](int index) {
        const int day = index - row.inizio + 1;
        return day >= 1 && day <= row.numGiorni ? QDate(row.year, row.month, day).weekNumber() : 0;
    };
    auto *column = form->findChild<WeekColumn *>();
    ASSERT_NE(column, nullptr);
    const QImage drawn = column->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int first = 0; first < kCellCount; first += 7) {
        const int week = weekOfCell(first) ? weekOfCell(first) : weekOfCell(first + 6);
        const QRect cellInColumn(
            column->mapFrom(form.get(),
                            grid()->mapTo(form.get(), grid()->cellRect(first).topLeft())),
            grid()->cellRect(first).size());
        const QImage band = drawn.copy(0, cellInColumn.top(), drawn.width(), cellInColumn.height());
        EXPECT_EQ(numberDrawnIn(band, *column), week) << "row " << first / 7;
    }
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid());
    for (int index = row.inizio; index < row.inizio + row.numGiorni; ++index) {
        const QString week = QStringLiteral("settimana %1").arg(weekOfCell(index));
        const QPoint at = grid()->cellRect(index).center();
        QHelpEvent help(QEvent::ToolTip, at, grid()->mapToGlobal(at));
        QApplication::sendEvent(grid(), &help);
        EXPECT_EQ(QToolTip::text().toStdString(), week.toStdString()) << index;
        EXPECT_EQ(table->child(index)->text(QAccessible::Description).toStdString(),
                  week.toStdString())
            << index;
    }
}

INSTANTIATE_TEST_SUITE_P(Months, GridWeeks, ::testing::ValuesIn(kMonths), kMonthName);

TEST_F(Grid, ADayPastTheMonthsEndFramesTheEmptyCellAfterTheLastDay)
{
    start();
    clickCell(31 + 3 - 1); // 31 December 2005: Thursday the 1st, column 3
    ASSERT_EQ(selectedDay(), 31);
    const QString caption = title();
    showMonth(9, 2005);
    EXPECT_EQ(framedCell(), 33);
    EXPECT_TRUE(cell(33).text().isEmpty());
    EXPECT_EQ(grid()->selectedCell(), -1); // no day is selected on an empty cell
    EXPECT_EQ(selectedDay(), 31);
    EXPECT_EQ(title(), caption);
    // A month of 30 days whose day 1 is a Sunday puts it on the very last cell.
    showMonth(4, 2012);
    EXPECT_EQ(framedCell(), 36);
}

TEST_F(Grid, TodaysCellIsPaintedOnlyInTodaysMonthOfTodaysYear)
{
    start();
    ASSERT_EQ(paintedCells(), std::vector<int>{9}); // 7 December 2005
    showMonth(12, 2006);
    EXPECT_TRUE(paintedCells().empty());
    for (int i = 0; i < kCellCount; ++i)
        EXPECT_EQ(cell(i).shownBackground(), QApplication::palette().color(QPalette::Base));
    showMonth(11, 2005);
    EXPECT_TRUE(paintedCells().empty());
    showMonth(12, 2005);
    EXPECT_EQ(paintedCells(), std::vector<int>{9});
}

TEST_F(Grid, TodayIsReadAfreshAtEveryRedraw)
{
    start();
    clock.set(2005y / December / 8); // midnight passes while the window is open
    showMonth(11, 2005);
    showMonth(12, 2005);
    EXPECT_EQ(paintedCells(), std::vector<int>{10});
}

TEST_F(Grid, TodaysColourIsTheOneOggiHasAtThatMoment)
{
    start();
    label("Oggi")->setBackground(rgb(10, 200, 30));
    showMonth(1, 2005);
    showMonth(12, 2005);
    EXPECT_EQ(cell(9).shownBackground(), QColor(10, 200, 30));
}

TEST_F(Grid, ARedrawTakesTheEmphasisOffOggiButKeepsItsUnderlineAndPointer)
{
    start();
    clickCell(10); // another day: underlined, hand pointer
    ASSERT_TRUE(label("Oggi")->font().underline());
    click(label("Oggi")); // today: bold and framed
    ASSERT_TRUE(label("Oggi")->font().bold());
    label("Oggi")->setUnderlined(true);
    showMonth(3, 2005);
    EXPECT_FALSE(label("Oggi")->font().bold());
    EXPECT_EQ(label("Oggi")->borderStyle(), 0);
    EXPECT_TRUE(label("Oggi")->font().underline());
    EXPECT_EQ(label("Oggi")->mousePointer(), ArrowPointer);
}

TEST_F(Grid, TheYearBarAndTheListRedrawAtOnceInsideTheirChange)
{
    start();
    bar()->setYear(2010_i16);
    EXPECT_EQ(label("lblANNO")->text(), QStringLiteral("2010"));
    EXPECT_EQ(cell(2).text(), QStringLiteral("1")); // 1 December 2010, a Wednesday
    chooseMonth(1);
    EXPECT_EQ(label("lblMESE")->text(), QStringLiteral("Febbraio"));
    EXPECT_EQ(cell(0).text(), QStringLiteral("1")); // 1 February 2010, a Monday
}

// However a user steps to another month, the grid is drawn once, with every cell's new day.
TEST_F(Grid, AMonthStepDrawsTheGridOnce)
{
    start();
    const std::pair<const char *, std::function<void()>> steps[] = {
        {"next month", [&] { click(button("Command3")); }},
        {"month before", [&] { click(button("Command2")); }},
        {"Page Down", [&] { QTest::keyClick(form->windowHandle(), Qt::Key_PageDown); }},
        {"the year bar's arrow",
         [&] {
             QTest::mouseClick(bar(), Qt::LeftButton, {},
                               barPart(QStyle::SC_ScrollBarSubLine).center());
         }},
    };
    PaintCounter paints(grid());
    for (const auto &[name, step] : steps) {
        QTest::qWait(20); // whatever the last step left to draw
        paints.count = 0;
        const QStringList before = cellTexts();
        step();
        EXPECT_NE(cellTexts(), before) << name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; }, 2000)) << name;
        QTest::qWait(50); // time for a second paint, if one were asked for
        EXPECT_EQ(paints.count, 1) << name;
    }
}

TEST_F(Grid, TwoRedrawsInARowLeaveExactlyWhatOneLeaves)
{
    start();
    showMonth(5, 2005);
    const QImage once = form->grab().toImage();
    const QStringList texts = cellTexts();
    chooseMonth(4); // the month already shown: drawn again
    EXPECT_TRUE(list()->isHidden());
    EXPECT_EQ(cellTexts(), texts);
    EXPECT_EQ(form->grab().toImage(), once);
}

} // namespace
} // namespace calendario::testing
