// A calendar left open over midnight follows the new day.
#include <QTest>
#include <QTimer>

#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

using std::chrono::milliseconds;

LocalTime at(year_month_day day, milliseconds sinceMidnight)
{
    return local_days{day} + sinceMidnight;
}

TEST_F(FormTest, AtMidnightTodaysDateCellAndLookFollowTheClockAndNothingElseMoves)
{
    clock.set(at(2005y / December / 7, 23h + 59min + 59s + 900ms));
    start();
    clickCell(11); // Friday the 9th: "Oggi:" is a link back to today
    const QString caption = title();
    clock.set(at(2005y / December / 8, 100ms));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return label("lblOGGI")->text() == QStringLiteral("08/12/05"); }, 2000));
    EXPECT_EQ(paintedCells(), std::vector<int>{10});
    EXPECT_EQ(title(), caption);
    EXPECT_EQ(selectedDay(), 9);
    EXPECT_EQ(framedCell(), 11);
    EXPECT_TRUE(label("Oggi")->font().underline());

    // Another midnight, with the 10th selected: now the selected day is today.
    clickCell(12);
    clock.set(at(2005y / December / 9, 23h + 59min + 59s + 900ms));
    wakeTheDayWatch(); // the clock was set forward
    clock.set(at(2005y / December / 10, 100ms));
    ASSERT_TRUE(QTest::qWaitFor([&] { return paintedCells() == std::vector<int>{12}; }, 2000));
    const ClickLabel *oggi = label("Oggi");
    EXPECT_TRUE(oggi->font().bold() && oggi->borderStyle() == 1 && !oggi->font().underline());
    EXPECT_EQ(oggi->mousePointer(), ArrowPointer);
    EXPECT_TRUE(reported.empty());

    // Asleep between: the only timers wait for midnight or a minute.
    for (const QTimer *timer : form->findChildren<QTimer *>()) {
        if (timer->isActive()) {
            EXPECT_GE(timer->interval(), 59'000) << timer->interval();
        }
    }

    // Past the last day of the year bar the calendar fails as it does when started on such a
    // day, and shows no day outside its years.
    clock.set(at(2500y / December / 31, 12h));
    wakeTheDayWatch();
    showMonth(12, 2500);
    clock.set(at(2501y / January / 1, 12h));
    wakeTheDayWatch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reported.empty(); }, 2000));
    EXPECT_EQ(reported.front().number(), RuntimeError::InvalidPropertyValue);
    EXPECT_EQ(label("lblOGGI")->text(), QStringLiteral("31/12/00"));
}

// A clock that moves on a millisecond each time it is read.
class TickingClock final : public Clock
{
public:
    explicit TickingClock(LocalTime start) : now_(start) { }
    LocalTime now() const override { return now_ += 1ms; }
    Date day() const { return Date{floor<days>(now_)}; }

private:
    mutable LocalTime now_;
};

TEST_F(FormTest, MidnightDuringStartUpIsFollowedAtOnce)
{
    // Midnight falls at each of start-up's reads of the clock in turn, until it falls after the
    // last.
    bool passed = true;
    for (int reads = 1; passed; ++reads) {
        TickingClock ticking(at(2005y / December / 8, -milliseconds{reads}));
        form = std::make_unique<Form1>(ticking, QLocale(QStringLiteral("it_IT")));
        ASSERT_TRUE(form->load());
        passed = ticking.day() == Date{2005y / December / 8};
        EXPECT_EQ(label("lblOGGI")->text().toStdString(), passed ? "08/12/05" : "07/12/05")
            << reads;
        EXPECT_EQ(paintedCells(), std::vector<int>{passed ? 10 : 9}) << reads;
        form.reset();
    }
    EXPECT_TRUE(reported.empty());
}

} // namespace
} // namespace calendario::testing
