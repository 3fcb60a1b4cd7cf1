#include <gtest/gtest.h>

#include "calendar/date_names.h"

namespace calendario {
namespace {

using namespace std::chrono;

struct LocaleRow
{
    const char *locale;
    Date date;
    const char *monthName; // as it stands alone, for the month list
    const char *fullDate; // "dd mmmm yyyy ddd"
    const char *shortDate;
};

class NamesOfALocale : public ::testing::TestWithParam<LocaleRow>
{
};

TEST_P(NamesOfALocale, MonthFullAndShortDate)
{
    const LocaleRow &row = GetParam();
    const DateNames names{QLocale(QString::fromLatin1(row.locale))};
    EXPECT_EQ(names.monthName(row.date), QString::fromUtf8(row.monthName));
    EXPECT_EQ(names.fullDate(row.date), QString::fromUtf8(row.fullDate));
    EXPECT_EQ(names.shortDate(row.date), QString::fromUtf8(row.shortDate));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, NamesOfALocale,
    ::testing::Values(
        LocaleRow{"it_IT", 2005y / December / 7, "dicembre", "07 dicembre 2005 mer", "07/12/05"},
        LocaleRow{"it_IT", 1500y / January / 1, "gennaio", "01 gennaio 1500 lun", "01/01/00"},
        LocaleRow{"pl_PL", 2005y / December / 7, "grudzień", "07 grudnia 2005 śr.", "7.12.2005"},
        LocaleRow{"ru_RU", 2005y / January / 3, "январь", "03 января 2005 пн", "03.01.2005"},
        LocaleRow{"en_US", 2026y / December / 8, "December", "08 December 2026 Tue", "12/8/26"}));

TEST(NamesOfALocale, DayKeepsTwoAsciiDigitsEvenWhereTheLocaleHasOtherDigits)
{
    const DateNames arabic{QLocale(QStringLiteral("ar_EG"))};
    EXPECT_TRUE(arabic.fullDate(2005y / December / 7).startsWith(QStringLiteral("07 ")));
}

struct CapitalRow
{
    const char *locale;
    const char *text;
    const char *upper;
};

class UpperCaseOfALocale : public ::testing::TestWithParam<CapitalRow>
{
};

TEST_P(UpperCaseOfALocale, AsTheLocaleWritesIt)
{
    const CapitalRow &row = GetParam();
    const DateNames names{QLocale(QString::fromLatin1(row.locale))};
    EXPECT_EQ(names.upperCase(QString::fromUtf8(row.text)), QString::fromUtf8(row.upper));
}

INSTANTIATE_TEST_SUITE_P(
    Letters, UpperCaseOfALocale,
    ::testing::Values(CapitalRow{"it_IT", "dicembre", "DICEMBRE"}, CapitalRow{"ru_RU", "я", "Я"},
                      CapitalRow{"az_AZ", "i", "İ"}, // the dotted capital
                      CapitalRow{"tr_TR", "i", "İ"}, CapitalRow{"en_US", "i", "I"},
                      CapitalRow{"ka_GE", "ი", "ი"}, // no capital at a word's start
                      CapitalRow{"hr_HR", "ǆ", "ǅ"}, // the title-case digraph
                      CapitalRow{"en_US", "\xf0\x90\x90\xa8",
                                 "\xf0\x90\x90\x80"})); // outside the BMP

} // namespace
} // namespace calendario
