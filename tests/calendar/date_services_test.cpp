#include <gtest/gtest.h>

#include "calendar/date_services.h"
#include "calendar/error_matchers.h"

namespace calendario {
namespace {

using namespace std::chrono;
using testing::errorNumberOf;

struct TextToDate
{
    const char *text;
    Date date;
};

class DateFromText : public ::testing::TestWithParam<TextToDate>
{
};

TEST_P(DateFromText, ReadsDayFirst)
{
    EXPECT_EQ(dateFromText(QString::fromLatin1(GetParam().text)), GetParam().date);
}

INSTANTIATE_TEST_SUITE_P(RealDays, DateFromText,
                         ::testing::Values(TextToDate{"1-12-2005", 2005y / December / 1},
                                           TextToDate{"12-1-2005", 2005y / January / 12},
                                           TextToDate{"29-2-2000", 2000y / February / 29},
                                           TextToDate{"31-12-2500", 2500y / December / 31},
                                           TextToDate{"1-1-1500", 1500y / January / 1},
                                           TextToDate{"07-03-2005", 2005y / March / 7}));

class NoDate : public ::testing::TestWithParam<const char *>
{
};

TEST_P(NoDate, RaisesTheConversionErrorAndNeverRollsOver)
{
    EXPECT_EQ(errorNumberOf([] { dateFromText(QString::fromUtf8(GetParam())); }),
              RuntimeError::TypeMismatch);
}

INSTANTIATE_TEST_SUITE_P(TextsThatNameNoDay, NoDate,
                         ::testing::Values("31-4-2005", "29-2-1500", "29-2-2100", "30-2-2000",
                                           "1-13-2005", "1-0-2005", "0-1-2005", "", "1-1-",
                                           "-1-2005", "1--2005", "a-b-c", "1-1-2005-", "1-1-2005x",
                                           " 1-1-2005", "1-1-20055", "99999-1-2005", "1-1-99",
                                           "1/1/2005", "1-١-2005"));

TEST(DateArithmetic, WeekdayCountsFromSunday)
{
    EXPECT_EQ(weekdaySundayFirst(2005y / May / 1), 1); // a Sunday
    EXPECT_EQ(weekdaySundayFirst(2005y / August / 1), 2); // a Monday
    EXPECT_EQ(weekdaySundayFirst(2005y / September / 1), 5); // a Thursday
    EXPECT_EQ(weekdaySundayFirst(2005y / October / 1), 7); // a Saturday
}

TEST(DateArithmetic, DayBeforeCrossesMonthsYearsAndLeapDays)
{
    EXPECT_EQ(dayBefore(2005y / January / 1), 2004y / December / 31);
    EXPECT_EQ(dayBefore(2000y / March / 1), 2000y / February / 29);
    EXPECT_EQ(dayBefore(1500y / March / 1), 1500y / February / 28);
    EXPECT_EQ(dayBefore(2005y / October / 1), 2005y / September / 30);
}

// Week 1 of a year begins on the Monday on or before 4 January.
sys_days mondayOfWeekOne(year y)
{
    const sys_days fourth{y / January / 4};
    return fourth - (weekday{fourth} - Monday);
}

TEST(IsoWeek, EveryDayCountsFromTheMondayOfWeekOne)
{
    for (sys_days day{1500y / January / 1}; day <= sys_days{2500y / December / 31};
         day += days{1}) {
        year weekYear = year_month_day{day}.year() + years{1};
        while (mondayOfWeekOne(weekYear) > day)
            --weekYear;
        ASSERT_EQ(isoWeek(Date{day}), (day - mondayOfWeekOne(weekYear)) / weeks{1} + 1)
            << day.time_since_epoch().count();
        ASSERT_EQ(isoWeekYear(Date{day}), static_cast<int>(weekYear));
    }
    EXPECT_EQ(isoWeek(2026y / December / 9), 50);
    EXPECT_EQ(isoWeek(2005y / January / 1), 53);
    EXPECT_EQ(isoWeekYear(2005y / January / 1), 2004);
    EXPECT_EQ(isoWeek(2008y / December / 29), 1);
    EXPECT_EQ(isoWeekYear(2008y / December / 29), 2009);
    EXPECT_EQ(isoWeek(2020y / December / 31), 53);
}

TEST(DateArithmetic, PartsOfADate)
{
    const Date d = 2005y / December / 7;
    EXPECT_EQ(yearOf(d), 2005);
    EXPECT_EQ(monthOf(d), 12);
    EXPECT_EQ(dayOf(d), 7);
}

TEST(DayFirstText, JoinsWithoutLeadingZeros)
{
    EXPECT_EQ(dayFirstText(1_i16, 3_i16, 2005_i16), QStringLiteral("1-3-2005"));
    EXPECT_EQ(dayFirstText(31_i16, 12_i16, 2500_i16), QStringLiteral("31-12-2500"));
}

TEST(DecimalText, DigitsWithoutBlankOrLeadingZero)
{
    EXPECT_EQ(decimalText(2005_i16), QStringLiteral("2005"));
    EXPECT_EQ(decimalText(0_i16), QStringLiteral("0"));
    EXPECT_EQ(decimalText(Int16(-32768)), QStringLiteral("-32768"));
}

TEST(FirstCharacter, KeepsASurrogatePairWhole)
{
    const QString deseret = QString::fromUtf8("\xf0\x90\x90\xa8x"); // one letter outside the BMP
    EXPECT_EQ(firstCharacter(deseret).size(), 2);
    EXPECT_EQ(afterFirstCharacter(deseret), QStringLiteral("x"));
    EXPECT_TRUE(firstCharacter(u"").isEmpty());
    EXPECT_TRUE(afterFirstCharacter(u"").isEmpty());
}

} // namespace
} // namespace calendario
