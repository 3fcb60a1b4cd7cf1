// A date picker takes the framed day, the one a person sees selected, or none.
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

struct PickerRow
{
    const char *name;
    year_month_day opened; // as --date opens it
    std::vector<Qt::Key> keys;
    std::optional<year_month_day> framed; // then
    const char *title; // the day last chosen, by a click, a key or start-up
    int doubleClicked; // a cell double-clicked to end, or -1 for Enter
    std::optional<year_month_day> chosen;
};

void PrintTo(const PickerRow &row, std::ostream *out)
{
    *out << row.name;
}

class Picker : public FormTest, public ::testing::WithParamInterface<PickerRow>
{
};

TEST_P(Picker, TakesTheFramedDayOrNone)
{
    const PickerRow &row = GetParam();
    options.picker = true;
    start();
    form->showDate(row.opened);
    for (Qt::Key key : row.keys)
        QTest::keyClick(form->windowHandle(), key);
    EXPECT_EQ(form->selectedDate(), row.framed);
    EXPECT_EQ(title(), QString::fromUtf8(row.title));

    // Ctrl+C copies the framed day, as a screen reader hears it selected; with none, nothing.
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(form->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              row.framed ? grid()->nameOf(*row.framed) : QStringLiteral("before"));
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid());
    const QList<QAccessibleInterface *> selected = table->tableInterface()->selectedCells();
    ASSERT_EQ(selected.size(), row.framed ? 1 : 0);
    if (row.framed) {
        EXPECT_EQ(selected.front()->text(QAccessible::Name), grid()->nameOf(*row.framed));
    }

    // Enter, or a double click as a mouse makes one: press, release, press, release.
    QSignalSpy chosen(form.get(), &Form1::dateChosen);
    if (row.doubleClicked < 0) {
        QTest::keyClick(form->windowHandle(), Qt::Key_Return);
    } else {
        const QPoint at = grid()->cellRect(row.doubleClicked).center();
        QTest::mouseClick(grid(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid(), Qt::LeftButton, {}, at);
    }
    ASSERT_EQ(chosen.size(), row.chosen ? 1 : 0);
    if (row.chosen) {
        EXPECT_EQ(chosen.front().front().value<Date>(), *row.chosen);
        QTest::keyClick(form->windowHandle(), Qt::Key_Return); // a picker answers once
        EXPECT_EQ(chosen.size(), 1);
    }
    EXPECT_TRUE(reported.empty());
}

INSTANTIATE_TEST_SUITE_P(Answers, Picker,
                         ::testing::Values(PickerRow{"EnterTakesTheDayOpenedOn",
                                                     2005y / December / 10,
                                                     {},
                                                     2005y / December / 10,
                                                     "10 dicembre 2005 sab",
                                                     -1,
                                                     2005y / December / 10},
                                           PickerRow{"AMonthStepTakesTheFrameToTheSameDayNumber",
                                                     2005y / December / 10,
                                                     {Qt::Key_PageDown},
                                                     2006y / January / 10,
                                                     "10 dicembre 2005 sab",
                                                     -1,
                                                     2006y / January / 10},
                                           PickerRow{"NoDayUnderTheFramePastTheMonthsEndNoAnswer",
                                                     2027y / January / 31,
                                                     {Qt::Key_PageDown},
                                                     std::nullopt,
                                                     "31 gennaio 2027 dom",
                                                     -1,
                                                     std::nullopt},
                                           PickerRow{"AKeyFromThereSelectsADayAgain",
                                                     2027y / January / 31,
                                                     {Qt::Key_PageDown, Qt::Key_Left},
                                                     2027y / February / 27,
                                                     "27 febbraio 2027 sab",
                                                     -1,
                                                     2027y / February / 27},
                                           PickerRow{"ADoubleClickOnAnEmptyCellChoosesNothing",
                                                     2005y / December / 10,
                                                     {},
                                                     2005y / December / 10,
                                                     "10 dicembre 2005 sab",
                                                     0,
                                                     std::nullopt},
                                           PickerRow{"ADoubleClickOnADayChoosesIt",
                                                     2005y / December / 10,
                                                     {},
                                                     2005y / December / 10,
                                                     "10 dicembre 2005 sab",
                                                     20,
                                                     2005y / December / 18}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace calendario::testing
