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
            EXPECT_EQ(cell(i)->text(), used ? QString::number(i - first + 1) : QString()) << i;
            EXPECT_EQ(cell(i)->mousePointer(), used ? CustomPointer : DefaultPointer) << i;
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
    const FormInternals::Variables v = variables();
    EXPECT_EQ(v.Mese, row.month);
    EXPECT_EQ(v.Inizio, row.inizio);
    EXPECT_EQ(v.NumGiorni, row.numGiorni);
    EXPECT_EQ(v.Cella, 7 + row.inizio - 1); // Giorno is still today's 7
    EXPECT_EQ(framedCell(), v.Cella);
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
    ASSERT_EQ(form->Giorno, 31);
    const QString caption = title();
    showMonth(9, 2005);
    EXPECT_EQ(variables().Cella, 33);
    EXPECT_EQ(framedCell(), 33);
    EXPECT_TRUE(cell(33)->text().isEmpty());
    EXPECT_EQ(form->Giorno, 31);
    EXPECT_EQ(title(), caption);
    // A month of 30 days whose day 1 is a Sunday puts it on the very last cell.
    showMonth(4, 2012);
    EXPECT_EQ(variables().Cella, 36);
    EXPECT_EQ(framedCell(), 36);
}

TEST_F(Grid, TodaysCellIsPaintedOnlyInTodaysMonthOfTodaysYear)
{
    start();
    ASSERT_EQ(paintedCells(), std::vector<int>{9}); // 7 December 2005
    showMonth(12, 2006);
    EXPECT_TRUE(paintedCells().empty());
    for (int i = 0; i < kCellCount; ++i)
        EXPECT_EQ(cell(i)->palette().color(QPalette::Window),
                  QApplication::palette().color(QPalette::Base));
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
    EXPECT_EQ(cell(9)->palette().color(QPalette::Window), QColor(10, 200, 30));
}

TEST_F(Grid, ARedrawTakesTheEmphasisOffOggiButKeepsItsUnderlineAndPointer)
{
    start();
    clickCell(10); // another day: underlined, hand pointer
    ASSERT_TRUE(label("Oggi")->font().underline());
    form->Oggi_Click(); // today: bold and framed
    ASSERT_TRUE(label("Oggi")->font().bold());
    label("Oggi")->setUnderlined(true);
    showMonth(3, 2005);
    EXPECT_FALSE(label("Oggi")->font().bold());
    EXPECT_EQ(label("Oggi")->borderStyle(), 0);
    EXPECT_TRUE(label("Oggi")->font().underline());
    EXPECT_EQ(label("Oggi")->mousePointer(), ArrowPointer);
}

TEST_F(Grid, TheYearBarAndTheListRedrawAtOnceInsideTheSettingStatement)
{
    start();
    Redraws redraws(*form);
    FormInternals::setYear(*form, 2010);
    EXPECT_EQ(redraws.count(), 1);
    EXPECT_EQ(label("lblANNO")->text(), QStringLiteral("2010"));
    FormInternals::setListIndex(*form, 1);
    EXPECT_EQ(redraws.count(), 2);
    EXPECT_EQ(label("lblMESE")->text(), QStringLiteral("Febbraio"));
    // Setting what is already set changes nothing and draws nothing.
    showMonth(2, 2010);
    EXPECT_EQ(redraws.count(), 2);
}

TEST_F(Grid, WhileNoPassIsSetLabelsFollowButTheGridStays)
{
    start();
    form->cmdMESI_Click();
    const QStringList before = cellTexts();
    Redraws redraws(*form);
    form->NoPass = Vero;
    showMonth(2, 2010);
    form->NoPass = Falso;
    EXPECT_EQ(redraws.count(), 0);
    EXPECT_EQ(cellTexts(), before);
    EXPECT_EQ(label("lblANNO")->text(), QStringLiteral("2010"));
    EXPECT_EQ(label("lblMESE")->text(), QStringLiteral("Febbraio"));
    EXPECT_TRUE(list()->isHidden());
}

struct GridSnapshot
{
    QStringList texts;
    std::vector<QColor> backgrounds;
    std::vector<int> pointers;
    QPoint frame;
    FormInternals::Variables variables;
};

TEST_F(Grid, TwoRedrawsInARowLeaveExactlyWhatOneLeaves)
{
    start();
    showMonth(5, 2005);
    const auto snapshot = [this] {
        GridSnapshot s{cellTexts(), {}, {}, frame()->pos(), variables()};
        for (int i = 0; i < kCellCount; ++i) {
            s.backgrounds.push_back(cell(i)->palette().color(QPalette::Window));
            s.pointers.push_back(cell(i)->mousePointer().value());
        }
        return s;
    };
    const GridSnapshot once = snapshot();
    Redraws redraws(*form);
    chooseMonth(4); // the month already shown: drawn again
    ASSERT_EQ(redraws.count(), 1);
    const GridSnapshot twice = snapshot();
    EXPECT_EQ(twice.texts, once.texts);
    EXPECT_EQ(twice.backgrounds, once.backgrounds);
    EXPECT_EQ(twice.pointers, once.pointers);
    EXPECT_EQ(twice.frame, once.frame);
    EXPECT_EQ(twice.variables.Cella, once.variables.Cella);
    EXPECT_EQ(twice.variables.Inizio, once.variables.Inizio);
    EXPECT_EQ(twice.variables.NumGiorni, once.variables.NumGiorni);
}

} // namespace
} // namespace calendario::testing
