#include <QTest>

#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

class StartUp : public FormTest
{
};

TEST_F(StartUp, OpensOnTodayWithItsCellFramedAndPainted)
{
    clock.set(2005y / September / 20); // the 1st is a Thursday
    start();
    EXPECT_EQ(title(), QStringLiteral("20 settembre 2005 mar"));
    EXPECT_EQ(label("lblOGGI")->text(), QStringLiteral("20/09/05"));
    EXPECT_EQ(label("lblMESE")->text(), QStringLiteral("Settembre"));
    EXPECT_EQ(label("lblANNO")->text(), QStringLiteral("2005"));
    EXPECT_EQ(selectedDay(), 20);
    EXPECT_EQ(framedCell(), 22);
    EXPECT_EQ(paintedCells(), std::vector<int>{22});
    EXPECT_TRUE(list()->isHidden());
    // At most 2370 twips (158 pixels) and inside the panel, in whole rows: one row more
    // would not fit.
    const int row = list()->sizeHintForRow(0);
    const int room = std::min(158, control("pctCAL")->height() - list()->y());
    EXPECT_LE(list()->height(), room);
    EXPECT_GT(list()->height() + row, room);
    EXPECT_EQ((list()->height() - 2 * list()->frameWidth()) % row, 0);
    const ClickLabel *oggi = label("Oggi");
    EXPECT_TRUE(oggi->font().bold());
    EXPECT_EQ(oggi->borderStyle(), 1);
    EXPECT_FALSE(oggi->font().underline());
    EXPECT_EQ(oggi->mousePointer(), ArrowPointer);
}

TEST_F(StartUp, TheListHoldsTheTwelveMonthsWithACapitalInitial)
{
    start();
    QStringList months;
    for (int i = 0; i < list()->count(); ++i)
        months << list()->item(i)->text();
    EXPECT_EQ(months,
              QStringList({"Gennaio", "Febbraio", "Marzo", "Aprile", "Maggio", "Giugno", "Luglio",
                           "Agosto", "Settembre", "Ottobre", "Novembre", "Dicembre"}));
}

TEST_F(StartUp, MonthNamesFollowTheLocaleWhateverTheYear)
{
    clock.set(1500y / February / 28);
    start("ru_RU");
    EXPECT_EQ(list()->count(), 12);
    EXPECT_EQ(list()->item(0)->text(), QStringLiteral("Январь"));
    EXPECT_EQ(list()->item(11)->text(), QStringLiteral("Декабрь"));
    EXPECT_EQ(label("lblMESE")->text(), QStringLiteral("Февраль"));
    // The fixed texts stay Italian.
    EXPECT_EQ(label("Oggi")->text(), QStringLiteral("Oggi:"));
}

TEST_F(StartUp, EveryDayAndTheYearShowTheHandUnderThePointer)
{
    start();
    for (int i = 0; i < kCellCount; ++i) {
        EXPECT_EQ(cell(i).mouseIcon().hotSpot(), QPoint(12, 1)) << i;
        QTest::mouseMove(grid(), grid()->cellRect(i).center());
        const bool day = !cell(i).text().isEmpty();
        EXPECT_EQ(grid()->cursor().shape(), day ? Qt::BitmapCursor : Qt::ArrowCursor) << i;
    }
    EXPECT_EQ(label("lblANNO")->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(label("lblANNO")->cursor().hotSpot(), QPoint(12, 1));
}

class BackToToday : public FormTest
{
};

TEST_F(BackToToday, FromAnotherYearAndMonthWithTheListOpen)
{
    clock.set(2005y / April / 10); // a month of 30 days
    start();
    showMonth(1, 2010);
    clickCell(34); // 31 January 2010
    ASSERT_EQ(selectedDay(), 31);
    click(button("cmdMESI"));
    click(label("Oggi"));
    EXPECT_TRUE(list()->isHidden());
    EXPECT_EQ(label("lblMESE")->text(), QStringLiteral("Aprile"));
    EXPECT_EQ(label("lblANNO")->text(), QStringLiteral("2005"));
    EXPECT_EQ(title(), QStringLiteral("10 aprile 2005 dom"));
    EXPECT_EQ(selectedDay(), 10);
    EXPECT_EQ(framedCell(), 13); // the 1st is a Friday, column 4
    EXPECT_TRUE(label("Oggi")->font().bold());
    EXPECT_TRUE(reported.empty());
}

TEST_F(BackToToday, InAMonthThatBeginsOnSunday)
{
    clock.set(2005y / May / 3);
    start();
    showMonth(8, 2005);
    click(label("Oggi"));
    EXPECT_EQ(framedCell(), 8);
    EXPECT_EQ(title(), QStringLiteral("03 maggio 2005 mar"));
    EXPECT_EQ(label("Oggi")->borderStyle(), 1);
    clock.set(2005y / May / 10);
    click(label("Oggi"));
    EXPECT_EQ(framedCell(), 15);
}

TEST_F(BackToToday, TheDateLabelDoesExactlyWhatOggiDoes)
{
    start();
    showMonth(6, 2100);
    clickCell(5);
    click(label("lblOGGI"));
    EXPECT_EQ(title(), QStringLiteral("07 dicembre 2005 mer"));
    EXPECT_EQ(label("lblANNO")->text(), QStringLiteral("2005"));
    EXPECT_EQ(framedCell(), 9);
    EXPECT_TRUE(label("Oggi")->font().bold());
}

TEST_F(BackToToday, WhenTodayIsShownAndSelectedOnlyTheTitleIsWrittenAgain)
{
    start();
    const QImage before = form->grab().toImage();
    form->setWindowTitle(QString());
    click(label("Oggi"));
    EXPECT_EQ(title(), QStringLiteral("07 dicembre 2005 mer"));
    EXPECT_EQ(form->grab().toImage(), before);
}

TEST_F(BackToToday, FollowsTheClockPastMidnight)
{
    start();
    clock.set(2006y / January / 1);
    click(label("Oggi"));
    EXPECT_EQ(label("lblANNO")->text(), QStringLiteral("2006"));
    EXPECT_EQ(label("lblMESE")->text(), QStringLiteral("Gennaio"));
    EXPECT_EQ(title(), QStringLiteral("01 gennaio 2006 dom"));
    EXPECT_EQ(paintedCells(), std::vector<int>{6});
}

} // namespace
} // namespace calendario::testing
