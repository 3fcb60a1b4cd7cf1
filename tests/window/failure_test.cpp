#include <QTest>
#include <QTimer>

#include "window/failure.h"
#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

class Failure : public FormTest
{
};

// A clock outside the years stops start-up with the invalid-property error, in its message box
// and, for a script, on one line of the error output that names the clock's day.
TEST_F(Failure, AClockOutsideTheYearBarsRangeStopsStartUpWithTheInvalidPropertyError)
{
    for (const auto &[today, line] :
         {std::pair{2501y / January / 1,
                    "today, 2501-01-01, lies outside the calendar's years, "
                    "1500 to 2500\n"},
          std::pair{1499y / December / 31,
                    "today, 1499-12-31, lies outside the calendar's years, "
                    "1500 to 2500\n"}}) {
        reported.clear();
        clock.set(today);
        create();
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(form->load());
        const std::string said = ::testing::internal::GetCapturedStderr();
        const std::string first = said.substr(0, said.find('\n') + 1);
        EXPECT_TRUE(first.starts_with("calendario: run-time error 380: ")) << said;
        EXPECT_TRUE(first.ends_with(line)) << said;
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported[0].number(), RuntimeError::InvalidPropertyValue);
    }
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
    reportFailure(nullptr, std::make_exception_ptr(std::bad_alloc()));
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].number(), RuntimeError::Internal);
}

TEST_F(Failure, AnIndexThatNamesNoCellIsARuntimeError)
{
    start();
    for (int index : {-1, 37, 32767}) {
        try {
            grid()->cell(Int16(index));
            ADD_FAILURE() << index;
        } catch (const RuntimeError &error) {
            EXPECT_EQ(error.number(), RuntimeError::SubscriptOutOfRange) << index;
        }
    }
}

// A clock that fails from its nth read on, as a clock that cannot be read would.
class FailingClock final : public Clock
{
public:
    FailingClock(Date date, int goodReads) : clock_(date), goodReads_(goodReads) { }
    LocalTime now() const override
    {
        if (reads_++ >= goodReads_)
            throw RuntimeError(RuntimeError::Overflow);
        return clock_.now();
    }
    void failFromNow() { goodReads_ = reads_; }

private:
    FixedClock clock_;
    int goodReads_;
    mutable int reads_ = 0;
};

// A raised handler that fails stops the handler that raised it at the raising statement:
// the year or the month is set, and the redraw it raises fails as it reads the clock.
struct RaisedFailureRow
{
    const char *name;
    int month, year; // shown before the click
    const char *control; // clicked
    int yearAfter; // the bar: set before the failure
    int listIndexAfter; // the list: set before the failure, or never reached
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
    FailingClock failing(2005y / December / 7, 1000000);
    form = std::make_unique<Form1>(failing, QLocale(QStringLiteral("it_IT")));
    ASSERT_TRUE(form->load());
    form->show();
    showMonth(row.month, row.year);
    const QString caption = title();
    const int day = selectedDay();
    failing.failFromNow();
    click(button(row.control));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reported.empty(); }, 2000));
    EXPECT_EQ(reported[0].number(), RuntimeError::Overflow);
    EXPECT_EQ(bar()->year(), row.yearAfter);
    EXPECT_EQ(list()->listIndex(), row.listIndexAfter);
    EXPECT_EQ(label("lblANNO")->text(), QString::number(row.yearAfter));
    // Nothing of the caller's later steps: no new day, no title.
    EXPECT_EQ(selectedDay(), day);
    EXPECT_EQ(title(), caption);
    click(button("Command3")); // and no handler runs after the report
    QTest::qWait(50);
    EXPECT_EQ(list()->listIndex(), row.listIndexAfter);
    EXPECT_EQ(reported.size(), 1u);
    form.reset();
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, RaisedFailure,
    ::testing::Values(
        // December to January: the year is set first, and its redraw fails.
        RaisedFailureRow{"YearChangeInsideNextMonth", 12, 2005, "Command3", 2006, 11},
        // February to January: the month is set, and its redraw fails.
        RaisedFailureRow{"MonthChangeInsidePreviousMonth", 2, 2005, "Command2", 2005, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Failure, AFailingClickEndsTheEventLoopWithTheFailureStatus)
{
    start();
    clock.set(2600y / March / 3); // the clock jumps outside the bar's range
    // Both timers go with the window, so that neither ends the event loop of a later test.
    QTimer::singleShot(0, form.get(), [this] { click(label("Oggi")); });
    // The report waits until the click's signal has returned to the event loop.
    QTimer::singleShot(5000, form.get(), [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QCoreApplication::exec(), kFailureExitStatus);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].number(), RuntimeError::InvalidPropertyValue);
}

} // namespace
} // namespace calendario::testing
