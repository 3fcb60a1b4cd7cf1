#include <QTest>
#include <QTimer>

#include "window/failure.h"
#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

class Failure : public FormTest
{
};

TEST_F(Failure, EveryWindowVariableIsZeroBeforeStartUp)
{
    create();
    const FormInternals::Variables v = variables();
    EXPECT_EQ(v.Giorno, 0);
    EXPECT_EQ(v.NoPass, 0);
    EXPECT_EQ(v.Indice, 0);
    EXPECT_EQ(v.Mese, 0);
    EXPECT_EQ(v.NumGiorni, 0);
    EXPECT_EQ(v.Inizio, 0);
    EXPECT_EQ(v.Cella, 0);
}

TEST_F(Failure, AClockPastTheYearBarsRangeStopsStartUpWithTheInvalidPropertyError)
{
    clock.set(2501y / January / 1);
    create();
    EXPECT_FALSE(form->load());
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].number(), RuntimeError::InvalidPropertyValue);
}

TEST_F(Failure, AClockBeforeTheRangeFailsTheSameWay)
{
    clock.set(1499y / December / 31);
    create();
    EXPECT_FALSE(form->load());
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].number(), RuntimeError::InvalidPropertyValue);
}

TEST_F(Failure, TheYearsAtTheEndsOfTheRangeStartNormally)
{
    clock.set(2500y / December / 31);
    start();
    EXPECT_EQ(title(), QStringLiteral("31 dicembre 2500 ven"));
    EXPECT_EQ(label("lblANNO")->text(), QStringLiteral("2500")); // the bar's first year
    EXPECT_TRUE(reported.empty());
}

TEST_F(Failure, AnyOtherExceptionIsReportedAsAnInternalError)
{
    reportFailure(std::make_exception_ptr(std::bad_alloc()));
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].number(), RuntimeError::Internal);
}

TEST_F(Failure, AnIndexThatNamesNoCellIsARuntimeError)
{
    start();
    for (int index : {-1, 37, 32767}) {
        try {
            form->G_Click(Int16(index));
            ADD_FAILURE() << index;
        } catch (const RuntimeError &error) {
            EXPECT_EQ(error.number(), RuntimeError::SubscriptOutOfRange) << index;
        }
    }
}

// A raised handler that fails stops the handler that raised it at the raising statement.
// A day past the end of the grid makes the redraw fail; the rows say which redraw.
struct RaisedFailureRow
{
    const char *name;
    int month, year; // shown before the click
    int giorno; // forced out of the grid
    const char *control; // clicked
    int yearAfter; // the bar: set before the failure, or never set
    int listIndexAfter; // the list: set by the failing statement, or never reached
};

void PrintTo(const RaisedFailureRow &row, std::ostream *out)
{
    *out << row.name;
}

class RaisedFailure : public FormTest, public ::testing::WithParamInterface<RaisedFailureRow>
{
};

TEST_P(RaisedFailure, StopsTheCallerAtTheFailingStatementWithOneReport)
{
    const RaisedFailureRow &row = GetParam();
    start();
    showMonth(row.month, row.year);
    form->Giorno = Int16(row.giorno);
    const QString caption = title();
    click(row.control == QLatin1String("Oggi") ? static_cast<QWidget *>(label("Oggi"))
                                               : button(row.control));
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].number(), RuntimeError::SubscriptOutOfRange);
    EXPECT_EQ(bar()->year(), row.yearAfter);
    EXPECT_EQ(list()->listIndex(), row.listIndexAfter);
    EXPECT_EQ(label("lblMESE")->text(), list()->text());
    // Nothing of the caller's later steps: no new day, no title.
    EXPECT_EQ(form->Giorno, row.giorno);
    EXPECT_EQ(title(), caption);
    click(button("Command3")); // and no handler runs after the report
    EXPECT_EQ(list()->listIndex(), row.listIndexAfter);
    EXPECT_EQ(reported.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, RaisedFailure,
    ::testing::Values(
        // December 2006 begins on a Friday: day 40 has no cell.
        RaisedFailureRow{"YearChangeInsideNextMonth", 12, 2005, 40, "Command3", 2006, 11},
        // December 2006 has a cell for day 32, January 2006 (from a Sunday) has none.
        RaisedFailureRow{"MonthChangeInsideNextMonth", 12, 2005, 32, "Command3", 2006, 0},
        RaisedFailureRow{"YearChangeInsideOggi", 11, 2004, 40, "Oggi", 2005, 10},
        RaisedFailureRow{"MonthChangeInsideOggi", 11, 2005, 40, "Oggi", 2005, 11}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Failure, AFailingClickEndsTheEventLoopWithTheFailureStatus)
{
    start();
    clock.set(2600y / March / 3); // the clock jumps outside the bar's range
    // Both timers go with the window, so that neither ends the event loop of a later test.
    QTimer::singleShot(0, form.get(), [this] { click(label("Oggi")); });
    QTimer::singleShot(5000, form.get(), [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QCoreApplication::exec(), kFailureExitStatus);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].number(), RuntimeError::InvalidPropertyValue);
}

} // namespace
} // namespace calendario::testing
