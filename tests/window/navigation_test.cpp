#include <QTest>

#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

class Navigation : public FormTest
{
protected:
    void expectShown(const char *month, int year)
    {
        EXPECT_EQ(label("lblMESE")->text(), QString::fromUtf8(month));
        EXPECT_EQ(label("lblANNO")->text(), QString::number(year));
        EXPECT_EQ(bar()->year(), year);
    }
};

TEST_F(Navigation, PreviousFromJanuaryGoesToDecemberOfTheYearBeforeAndClosesTheList)
{
    start();
    showMonth(1, 2005);
    click(button("cmdMESI"));
    click(button("Command2"));
    expectShown("Dicembre", 2004);
    EXPECT_TRUE(list()->isHidden());
    EXPECT_EQ(cell(2).text(), QStringLiteral("1")); // 1 December 2004, a Wednesday
}

TEST_F(Navigation, PreviousFromFebruaryStaysInTheYear)
{
    start();
    showMonth(2, 2005);
    click(button("Command2"));
    expectShown("Gennaio", 2005);
    EXPECT_EQ(cell(5).text(), QStringLiteral("1")); // 1 January 2005, a Saturday
}

TEST_F(Navigation, NextFromDecemberShowsJanuaryOfTheNextYear)
{
    start();
    click(button("Command3"));
    expectShown("Gennaio", 2006);
    EXPECT_EQ(cell(6).text(), QStringLiteral("1")); // 1 January 2006, a Sunday
}

TEST_F(Navigation, TheEndsOfTheRangeChangeNothingAndLeaveAnOpenListOpen)
{
    start();
    showMonth(12, 2500);
    click(button("cmdMESI"));
    click(button("Command3"));
    expectShown("Dicembre", 2500);
    EXPECT_FALSE(list()->isHidden());
    showMonth(1, 1500);
    click(button("cmdMESI"));
    click(button("Command2"));
    expectShown("Gennaio", 1500);
    EXPECT_FALSE(list()->isHidden());
}

TEST_F(Navigation, TheLastStepsIntoTheEndYears)
{
    start();
    showMonth(12, 2499);
    click(button("Command3"));
    expectShown("Gennaio", 2500);
    showMonth(1, 1501);
    click(button("Command2"));
    expectShown("Dicembre", 1500);
}

TEST_F(Navigation, AWholeYearForwardAndBackComesHome)
{
    start();
    for (int i = 0; i < 12; ++i)
        click(button("Command3"));
    expectShown("Dicembre", 2006);
    for (int i = 0; i < 24; ++i)
        click(button("Command2"));
    expectShown("Dicembre", 2004);
}

TEST_F(Navigation, ChoosingAMonthInTheListShowsItInTheSameYearAndClosesTheList)
{
    start();
    chooseMonth(2);
    expectShown("Marzo", 2005);
    EXPECT_TRUE(list()->isHidden());
    EXPECT_EQ(cell(1).text(), QStringLiteral("1")); // 1 March 2005, a Tuesday
    chooseMonth(2); // the month already shown: the list closes all the same
    EXPECT_TRUE(list()->isHidden());
}

TEST_F(Navigation, TheListButtonAndTheMonthNameOpenAndCloseTheListOnly)
{
    start();
    click(button("cmdMESI"));
    EXPECT_FALSE(list()->isHidden());
    click(button("cmdMESI"));
    EXPECT_TRUE(list()->isHidden());
    click(label("lblMESE"));
    EXPECT_FALSE(list()->isHidden());
    EXPECT_EQ(list()->geometry().right(), label("lblMESE")->geometry().right());
    click(label("lblMESE"));
    EXPECT_TRUE(list()->isHidden());
    expectShown("Dicembre", 2005);
}

TEST_F(Navigation, OnlyALeftClickOnOneEntryChoosesAMonthAndOneStaysSelected)
{
    start();
    click(button("cmdMESI"));
    QWidget *entries = list()->viewport();
    const auto centre = [&](int row) { return list()->visualItemRect(list()->item(row)).center(); };
    for (Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton})
        QTest::mouseClick(entries, other, {}, centre(2));
    EXPECT_EQ(list()->listIndex(), 11);
    EXPECT_FALSE(list()->isHidden());
    // Pressed on one entry and let go on another: the month let go on is chosen.
    QTest::mousePress(entries, Qt::LeftButton, {}, centre(1));
    QTest::mouseMove(entries, centre(3));
    QTest::mouseRelease(entries, Qt::LeftButton, {}, centre(3));
    EXPECT_TRUE(list()->isHidden());
    expectShown("Aprile", 2005);
    // A Ctrl+click on the chosen month chooses it again: it stays selected, the list closes.
    click(button("cmdMESI"));
    QTest::mouseClick(entries, Qt::LeftButton, Qt::ControlModifier, centre(3));
    EXPECT_TRUE(list()->isHidden());
    EXPECT_EQ(list()->listIndex(), 3);
    EXPECT_EQ(list()->selectedItems().size(), 1);
}

TEST_F(Navigation, TheListOpensOnTheMonthShown)
{
    start(); // December: the last entry
    click(button("cmdMESI"));
    const QRect entry = list()->visualItemRect(list()->currentItem());
    EXPECT_TRUE(list()->viewport()->rect().contains(entry)) << entry.y();
    EXPECT_EQ(list()->currentItem()->text(), QStringLiteral("Dicembre"));
}

TEST_F(Navigation, TheYearLabelBringsTheSameMonthOfTheCurrentYear)
{
    start();
    click(label("lblANNO")); // already the current year: nothing happens, not even a redraw
    EXPECT_TRUE(label("Oggi")->font().bold());
    showMonth(3, 1999);
    click(label("lblANNO"));
    expectShown("Marzo", 2005);
}

TEST_F(Navigation, NeverChangesTheSelectedDayOrTheTitle)
{
    start();
    clickCell(33); // 31 December 2005
    const QString caption = title();
    click(button("Command2")); // November: 30 days
    EXPECT_EQ(selectedDay(), 31);
    EXPECT_EQ(title(), caption);
    EXPECT_TRUE(cell(framedCell()).text().isEmpty());
    click(label("lblANNO"));
    click(button("Command3"));
    EXPECT_EQ(selectedDay(), 31);
    EXPECT_EQ(title(), caption);
}

TEST_F(Navigation, TheYearBarsArrowsRedrawTheSameMonthInTheNextYear)
{
    start();
    const QRect up = barPart(QStyle::SC_ScrollBarSubLine);
    QTest::mouseClick(bar(), Qt::LeftButton, {}, up.center());
    expectShown("Dicembre", 2006);
    EXPECT_EQ(cell(4).text(), QStringLiteral("1")); // 1 December 2006, a Friday
    EXPECT_TRUE(paintedCells().empty());
}

} // namespace
} // namespace calendario::testing
