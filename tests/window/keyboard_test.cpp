// The calendar without a mouse: keys on the panel, and the day, month and year they reach.
#include <QTest>

#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

struct KeyRow
{
    const char *name;
    year_month_day selected; // clicked before the keys
    std::vector<Qt::Key> keys;
    const char *title; // afterwards
    int month, year; // shown afterwards
};

void PrintTo(const KeyRow &row, std::ostream *out)
{
    *out << row.name;
}

class Keys : public FormTest, public ::testing::WithParamInterface<KeyRow>
{
};

TEST_P(Keys, MoveTheSelectionAsClicksWould)
{
    const KeyRow &row = GetParam();
    start();
    showMonth(int(unsigned(row.selected.month())), int(row.selected.year()));
    clickCell(int(unsigned(row.selected.day())) + firstColumn() - 1);
    for (Qt::Key key : row.keys)
        QTest::keyClick(form->windowHandle(), key);
    EXPECT_EQ(title(), QString::fromUtf8(row.title));
    EXPECT_EQ(list()->listIndex(), row.month - 1);
    EXPECT_EQ(bar()->year(), row.year);
    EXPECT_EQ(cell(framedCell()).text().toInt(), selectedDay());
    EXPECT_TRUE(reported.empty());
}

INSTANTIATE_TEST_SUITE_P(Presses, Keys,
                         ::testing::Values(KeyRow{"RightIsTheNextDay",
                                                  2005y / December / 7,
                                                  {Qt::Key_Right},
                                                  "08 dicembre 2005 gio",
                                                  12,
                                                  2005},
                                           KeyRow{"LeftFromTheFirstShowsTheMonthBefore",
                                                  2005y / December / 1,
                                                  {Qt::Key_Left},
                                                  "30 novembre 2005 mer",
                                                  11,
                                                  2005},
                                           KeyRow{"UpIsAWeekBackAcrossTheYear",
                                                  2006y / January / 3,
                                                  {Qt::Key_Up},
                                                  "27 dicembre 2005 mar",
                                                  12,
                                                  2005},
                                           KeyRow{"DownIsAWeekOnAcrossTheYear",
                                                  2005y / December / 28,
                                                  {Qt::Key_Down},
                                                  "04 gennaio 2006 mer",
                                                  1,
                                                  2006},
                                           KeyRow{"IntoALeapDay",
                                                  2000y / February / 22,
                                                  {Qt::Key_Down, Qt::Key_Right},
                                                  "01 marzo 2000 mer",
                                                  3,
                                                  2000},
                                           KeyRow{"FromThe31stPastTheEndOfSeptember",
                                                  2005y / August / 31,
                                                  {Qt::Key_PageDown, Qt::Key_Left},
                                                  "29 settembre 2005 gio",
                                                  9,
                                                  2005},
                                           KeyRow{
                                               "PageKeysChangeTheMonthNotTheTitle",
                                               2005y / December / 7,
                                               {Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageDown},
                                               "07 dicembre 2005 mer",
                                               11,
                                               2005},
                                           KeyRow{"HomeComesBackToToday",
                                                  1999y / March / 3,
                                                  {Qt::Key_Home},
                                                  "07 dicembre 2005 mer",
                                                  12,
                                                  2005},
                                           KeyRow{"NothingBeforeTheFirstDay",
                                                  1500y / January / 1,
                                                  {Qt::Key_Left, Qt::Key_Up, Qt::Key_PageUp},
                                                  "01 gennaio 1500 lun",
                                                  1,
                                                  1500},
                                           KeyRow{"NothingAfterTheLastDay",
                                                  2500y / December / 31,
                                                  {Qt::Key_Right, Qt::Key_Down, Qt::Key_PageDown},
                                                  "31 dicembre 2500 ven",
                                                  12,
                                                  2500}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(FormTest, ClicksLeaveTheKeysOnThePanelAndTheBarAndListKeepTheirOwn)
{
    start();
    QWidget *days = grid(); // the panel holds the keyboard through its grid of days
    for (QWidget *clicked : {control("Command3"), control("Command2"), control("cmdMESI")}) {
        click(clicked);
        EXPECT_EQ(form->focusWidget(), days) << clicked->objectName().toStdString();
    }
    clickCell(10);
    EXPECT_EQ(form->focusWidget(), days);
    chooseMonth(5); // a choice in the list hands the keys back too
    EXPECT_EQ(form->focusWidget(), days);
    QTest::keyClick(form->windowHandle(), Qt::Key_Right);
    EXPECT_EQ(title(), QStringLiteral("09 giugno 2005 gio")); // from the 8th
    bar()->setFocus();
    QTest::keyClick(form->windowHandle(), Qt::Key_Up); // the bar's own key: a year up
    EXPECT_EQ(bar()->year(), 2006);
    EXPECT_EQ(title(), QStringLiteral("09 giugno 2005 gio"));
    // In the open list, Down chooses the next month: the list closes, holds no current entry
    // for a reader to find, and hands the keys back.
    click(button("cmdMESI"));
    list()->setFocus();
    QString shownWhileSelecting; // the month is chosen once the list has done selecting
    QObject::connect(list()->selectionModel(), &QItemSelectionModel::selectionChanged,
                     [&] { shownWhileSelecting = label("lblMESE")->text(); });
    QTest::keyClick(form->windowHandle(), Qt::Key_Down);
    EXPECT_EQ(shownWhileSelecting, QStringLiteral("Giugno"));
    EXPECT_TRUE(list()->isHidden());
    EXPECT_FALSE(list()->currentIndex().isValid());
    EXPECT_EQ(label("lblMESE")->text(), QStringLiteral("Luglio"));
    EXPECT_EQ(cell(framedCell()).text(), QStringLiteral("9"));
    EXPECT_EQ(form->focusWidget(), days);
    // A button on the panel reached with Tab keeps the keyboard, and the arrows still move the
    // day.
    button("Command3")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form->windowHandle(), Qt::Key_Right);
    EXPECT_EQ(title(), QStringLiteral("10 luglio 2006 lun"));
    EXPECT_EQ(form->focusWidget(), button("Command3"));
}

} // namespace
} // namespace calendario::testing
