#include <array>

#include <gtest/gtest.h>

#include "calendar/error_matchers.h"
#include "calendar/month_grid.h"

namespace calendario {
namespace {

using namespace std::chrono;
using testing::errorNumberOf;

struct MonthRow
{
    const char *name;
    int mese, anno;
    int numGiorni, inizio;
};

class MonthLayout : public ::testing::TestWithParam<MonthRow>
{
};

TEST_P(MonthLayout, DayCountAndColumnOfDayOne)
{
    const MonthRow &row = GetParam();
    EXPECT_EQ(GiorniDelMese(Int16(row.mese), Int16(row.anno)), row.numGiorni);
    EXPECT_EQ(ColonnaInizio(Int16(row.mese), Int16(row.anno)), row.inizio);
}

INSTANTIATE_TEST_SUITE_P(Months, MonthLayout,
                         ::testing::Values(MonthRow{"September2005_Thursday", 9, 2005, 30, 3},
                                           MonthRow{"May2005_Sunday", 5, 2005, 31, 6},
                                           MonthRow{"August2005_Monday", 8, 2005, 31, 0},
                                           MonthRow{"February1500", 2, 1500, 28, 3},
                                           MonthRow{"February2000_Leap", 2, 2000, 29, 1},
                                           MonthRow{"February2100_Monday", 2, 2100, 28, 0},
                                           MonthRow{"February2500_Monday", 2, 2500, 28, 0},
                                           MonthRow{"December2500", 12, 2500, 31, 2},
                                           MonthRow{"January1500", 1, 1500, 31, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(MonthLayout, DecemberHasThirtyOneDaysInEveryYear)
{
    for (int anno = 1500; anno <= 2500; ++anno)
        ASSERT_EQ(GiorniDelMese(12_i16, Int16(anno)), 31) << anno;
}

TEST(MonthLayout, AMonthOutsideTheYearRaisesTheConversionError)
{
    EXPECT_EQ(errorNumberOf([] { ColonnaInizio(0_i16, 2005_i16); }), RuntimeError::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { GiorniDelMese(13_i16, 2005_i16); }), RuntimeError::TypeMismatch);
}

// An independent reckoning: count the days from 1 January 1500 with the Gregorian leap
// rule written out, and take the weekday from 1 January 2000, a Saturday.
TEST(MonthLayout, EveryMonthFrom1500To2500AgreesWithADayCount)
{
    const auto leap = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
    const std::array<int, 12> lengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    long daysSince1500 = 0;
    long daysTo2000 = 0;
    for (int y = 1500; y < 2000; ++y)
        daysTo2000 += leap(y) ? 366 : 365;
    int checked = 0;
    for (int anno = 1500; anno <= 2500; ++anno) {
        for (int mese = 1; mese <= 12; ++mese) {
            const int length = lengths[mese - 1] + (mese == 2 && leap(anno) ? 1 : 0);
            const long fromSaturday = daysSince1500 - daysTo2000;
            const int mondayFirst = static_cast<int>(((fromSaturday + 5) % 7 + 7) % 7);
            ASSERT_EQ(GiorniDelMese(Int16(mese), Int16(anno)), length) << mese << "/" << anno;
            ASSERT_EQ(ColonnaInizio(Int16(mese), Int16(anno)), mondayFirst) << mese << "/" << anno;
            daysSince1500 += length;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 12012);
}

TEST(CellRules, CellOfADayFollowsTheColumnOfDayOne)
{
    EXPECT_EQ(CellaDelGiorno(1_i16, 0_i16), 0);
    EXPECT_EQ(CellaDelGiorno(1_i16, 3_i16), 3); // September 2005
    EXPECT_EQ(CellaDelGiorno(30_i16, 3_i16), 32);
    EXPECT_EQ(CellaDelGiorno(31_i16, 3_i16), 33); // past the end: the empty cell after the 30th
    EXPECT_EQ(CellaDelGiorno(30_i16, 6_i16), 35); // May 2005
    EXPECT_EQ(CellaDelGiorno(31_i16, 6_i16), 36); // the last cell of the grid
}

TEST(CellRules, EveryDayOfEveryColumnLandsOnTheGrid)
{
    for (int inizio = 0; inizio <= 6; ++inizio)
        for (int giorno = 1; giorno <= 31; ++giorno) {
            const Int16 cella = CellaDelGiorno(Int16(giorno), Int16(inizio));
            ASSERT_GE(cella, 0);
            ASSERT_LT(cella, kCellCount);
        }
}

TEST(CellRules, DayOfACellOrNoneOutsideTheMonth)
{
    // September 2005: days 1 to 30 in cells 3 to 32.
    EXPECT_FALSE(GiornoDellaCella(0_i16, 3_i16, 30_i16).has_value());
    EXPECT_FALSE(GiornoDellaCella(2_i16, 3_i16, 30_i16).has_value());
    EXPECT_EQ(GiornoDellaCella(3_i16, 3_i16, 30_i16), 1);
    EXPECT_EQ(GiornoDellaCella(32_i16, 3_i16, 30_i16), 30);
    EXPECT_FALSE(GiornoDellaCella(33_i16, 3_i16, 30_i16).has_value());
    EXPECT_FALSE(GiornoDellaCella(36_i16, 3_i16, 30_i16).has_value());
    // February 2100: exactly cells 0 to 27.
    EXPECT_EQ(GiornoDellaCella(0_i16, 0_i16, 28_i16), 1);
    EXPECT_EQ(GiornoDellaCella(27_i16, 0_i16, 28_i16), 28);
    EXPECT_FALSE(GiornoDellaCella(28_i16, 0_i16, 28_i16).has_value());
}

TEST(TodayInMonth, OnlyTheCurrentMonthOfTheCurrentYear)
{
    FixedClock clock(2005y / December / 7);
    EXPECT_TRUE(OggiNelMese(12_i16, 2005_i16, clock));
    EXPECT_FALSE(OggiNelMese(12_i16, 2006_i16, clock));
    EXPECT_FALSE(OggiNelMese(11_i16, 2005_i16, clock));
    clock.set(2006y / January / 1); // read afresh at every call
    EXPECT_TRUE(OggiNelMese(1_i16, 2006_i16, clock));
    EXPECT_FALSE(OggiNelMese(12_i16, 2005_i16, clock));
}

} // namespace
} // namespace calendario
