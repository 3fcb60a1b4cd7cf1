#include <QApplication>
#include <QTest>

#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

class Selection : public FormTest
{
};

TEST_F(Selection, ClickingADayWritesItsFullDateInTheTitleAndFramesIt)
{
    start();
    clickCell(3); // 1 December 2005
    EXPECT_EQ(title(), QStringLiteral("01 dicembre 2005 gio"));
    EXPECT_EQ(selectedDay(), 1);
    EXPECT_EQ(framedCell(), 3);
    EXPECT_EQ(frameRect(), QRect(70, 45, 20, 18)); // 1050 and 670 twips, 300 by 270
}

TEST_F(Selection, AnotherDayTurnsOggiIntoALinkBackToToday)
{
    start();
    clickCell(10);
    ClickLabel *oggi = label("Oggi");
    EXPECT_EQ(oggi->borderStyle(), 0);
    EXPECT_FALSE(oggi->font().bold());
    EXPECT_TRUE(oggi->font().underline());
    EXPECT_EQ(oggi->mousePointer(), CustomPointer);
    EXPECT_EQ(oggi->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(Selection, TodaysCellGivesOggiItsPlainFramedLook)
{
    start();
    clickCell(10);
    clickCell(9); // 7 December 2005, today
    ClickLabel *oggi = label("Oggi");
    EXPECT_EQ(oggi->borderStyle(), 1);
    EXPECT_TRUE(oggi->font().bold());
    EXPECT_FALSE(oggi->font().underline());
    EXPECT_EQ(oggi->mousePointer(), ArrowPointer);
    EXPECT_EQ(oggi->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(title(), QStringLiteral("07 dicembre 2005 mer"));
}

TEST_F(Selection, TheSameDayNumberInAnotherMonthOrYearIsAnotherDate)
{
    start();
    showMonth(12, 2006); // Friday the 1st: the 7th is in cell 10
    clickCell(10);
    EXPECT_EQ(title(), QStringLiteral("07 dicembre 2006 gio"));
    EXPECT_TRUE(label("Oggi")->font().underline());
    EXPECT_FALSE(label("Oggi")->font().bold());
    showMonth(11, 2005); // Tuesday the 1st: the 7th is in cell 7
    clickCell(7);
    EXPECT_EQ(title(), QStringLiteral("07 novembre 2005 lun"));
    EXPECT_EQ(label("Oggi")->borderStyle(), 0);
}

TEST_F(Selection, AnEmptyCellChangesNothing)
{
    start();
    clickCell(10);
    const QString caption = title();
    const QRect framed = frameRect();
    clickCell(0); // before the 1st
    clickCell(36); // after the 31st
    EXPECT_EQ(title(), caption);
    EXPECT_EQ(frameRect(), framed);
    EXPECT_EQ(selectedDay(), 8);
    EXPECT_TRUE(label("Oggi")->font().underline());
}

TEST_F(Selection, ClickingTheSelectedCellAgainChangesNothingVisible)
{
    start();
    clickCell(20);
    const QString caption = title();
    const QImage before = form->grab().toImage();
    clickCell(20);
    EXPECT_EQ(title(), caption);
    EXPECT_EQ(form->grab().toImage(), before);
}

TEST_F(Selection, OnlyAClickPressedAndReleasedOnOneDaySelectsIt)
{
    start();
    QTest::mousePress(grid(), Qt::LeftButton, {}, grid()->cellRect(12).center());
    QTest::mouseRelease(grid(), Qt::LeftButton, {}, grid()->cellRect(13).center());
    QTest::mouseClick(grid(), Qt::RightButton, {}, grid()->cellRect(14).center());
    EXPECT_EQ(selectedDay(), 7);
    // Inside the frame, on the day it surrounds, between the lines.
    clickCell(12);
    QTest::mouseClick(grid(), Qt::LeftButton, {}, grid()->frame().rect().center());
    EXPECT_EQ(selectedDay(), 10);
}

TEST_F(Selection, SelectingLeavesAnOpenListOpenAndTodaysColourInPlace)
{
    start();
    click(button("cmdMESI"));
    clickCell(15);
    EXPECT_FALSE(list()->isHidden());
    EXPECT_EQ(paintedCells(), std::vector<int>{9});
}

TEST_F(Selection, MovingToAnotherMonthKeepsTheSelectedDayNumber)
{
    start();
    clickCell(20); // the 18th
    showMonth(2, 2006);
    EXPECT_EQ(selectedDay(), 18);
    EXPECT_EQ(cell(framedCell()).text(), QStringLiteral("18"));
    EXPECT_EQ(title(), QStringLiteral("18 dicembre 2005 dom"));
}

TEST_F(Selection, TheTitleFollowsTheLocalesNames)
{
    start("pl_PL");
    clickCell(9);
    EXPECT_EQ(title(), QStringLiteral("07 grudnia 2005 śr."));
}

} // namespace
} // namespace calendario::testing
