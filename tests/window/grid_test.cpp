#include <QApplication>

#include "window/form_fixture.h"

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

INSTANTIATE_TEST_SUITE_P(Months, GridMonths,
                         ::testing::Values(MonthRow{"September2005", 9, 2005, 3, 30},
                                           MonthRow{"May2005_LastCellUsed", 5, 2005, 6, 31},
                                           MonthRow{"August2005_StartsOnMonday", 8, 2005, 0, 31},
                                           MonthRow{"February1500", 2, 1500, 3, 28},
                                           MonthRow{"February2000_Leap", 2, 2000, 1, 29},
                                           MonthRow{"February2100", 2, 2100, 0, 28},
                                           MonthRow{"February2500", 2, 2500, 0, 28},
                                           MonthRow{"December2500", 12, 2500, 2, 31}),
                         [](const auto &info) { return std::string(info.param.name); });

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
