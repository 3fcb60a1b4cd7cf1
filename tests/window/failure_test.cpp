#include <QTest>
#include <QTimer>

#include "window/failure.h"
#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

class Failure : public FormTest {};

TEST_F(Failure, EveryWindowVariableIsZeroBeforeStartUp)
{
    create();
    const Form1::Variables v = form->variables();
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
    EXPECT_TRUE(hasFailed());
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
    EXPECT_TRUE(reported.empty());
}

TEST_F(Failure, AnErrorInAHandlerIsReportedOnceAndNoHandlerRunsAfterIt)
{
    bool ranAfter = false;
    EXPECT_FALSE(runGuarded([] { Int16(32767) + 1; }));
    EXPECT_FALSE(runGuarded([&] { ranAfter = true; }));
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].number(), RuntimeError::Overflow);
    EXPECT_FALSE(ranAfter);
}

TEST_F(Failure, AnyOtherExceptionIsReportedAsAnInternalError)
{
    EXPECT_FALSE(runGuarded([] { throw std::bad_alloc(); }));
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].number(), RuntimeError::Internal);
}

TEST_F(Failure, AnIndexThatNamesNoCellIsARuntimeError)
{
    start();
    for (int index : {-1, 37, 32767}) {
        try {
            form->G_Click(index);
            ADD_FAILURE() << index;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), RuntimeError::SubscriptOutOfRange) << index;
        }
    }
}

TEST_F(Failure, AFailingClickEndsTheEventLoopWithTheFailureStatus)
{
    start();
    clock.set(2600y / March / 3);  // the clock jumps outside the bar's range
    QTimer::singleShot(0, [this] { click(label("Oggi")); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QCoreApplication::exec(), kFailureExitStatus);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].number(), RuntimeError::InvalidPropertyValue);
}

}  // namespace
}  // namespace calendario::testing
