#include <ctime>
#include <utility>

#include <gtest/gtest.h>

#include "calendar/date_format.h"

namespace calendario {
namespace {

using namespace std::chrono;

constexpr sys_days firstDay{1500y / January / 1};
constexpr sys_days lastDay{2500y / December / 31};
const DateNames cNames{QLocale::c()};

TEST(IsoDate, ReadsEveryDayAndNoOtherText)
{
    for (sys_days day = firstDay; day <= lastDay; day += days{1})
        ASSERT_EQ(isoDate(*formatDate(u"%F", Date{day}, cNames)), Date{day});
    for (const char *text : {"2005-02-30", "2024-13-01", "2024-2-29", " 2024-02-29", "20240229",
                             "2024-02-29x", "2024‐02‐29", "٢٠٢٤-٠٢-٢٩", "+024-02-29", ""})
        EXPECT_EQ(isoDate(QString::fromUtf8(text)), std::nullopt) << text;
}

struct Written
{
    const char *format;
    Date date;
    const char *locale;
    const char *text;
};

class FormatDate : public ::testing::TestWithParam<Written>
{
};

TEST_P(FormatDate, WritesEachConversionWithTheLocalesNames)
{
    const Written &row = GetParam();
    const QString format = QString::fromUtf8(row.format);
    EXPECT_EQ(formatProblem(format), QString());
    EXPECT_EQ(formatDate(format, row.date, DateNames{QLocale(QString::fromLatin1(row.locale))}),
              QString::fromUtf8(row.text));
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, FormatDate,
    ::testing::Values(
        Written{"%A %e %B, %a %b %h", 2026y / December / 9, "it_IT",
                "mercoledì  9 dicembre, mer dic dic"},
        Written{"%A %e %B, %a %b %h", 2026y / December / 9, "pl_PL",
                "środa  9 grudnia, śr. gru gru"},
        Written{"%x|%D|%F%n%t%%", 2026y / December / 9, "it_IT",
                "09/12/26|12/09/26|2026-12-09\n\t%"},
        Written{"%x %d", 2026y / December / 9, "ar_EG", "9\u200f/12\u200f/2026 09"},
        Written{"%d/%m/%Y %C %y %j %u %w", 2005y / December / 7, "it_IT",
                "07/12/2005 20 05 341 3 3"},
        Written{"%G-W%V-%u %g %U %W", 2005y / January / 1, "it_IT", "2004-W53-6 04 00 00"},
        Written{"%G-W%V-%u %g %U %W", 2008y / December / 29, "it_IT", "2009-W01-1 09 52 52"},
        Written{"%-d|%_d|%0e|%-m|%_Y|%3e|%-4d|%08B|%8a|%12F|%_3%|%_-5j", 2005y / March / 7, "C",
                "7| 7|07|3|2005|  7|   7|000March|     Mon|  2005-03-07|  %|   66"}));

#ifdef __GLIBC__
// Glibc's own strftime in the "C" locale, whose names are QLocale::c()'s.
QString glibcText(const char *format, Date date)
{
    std::tm tm{};
    tm.tm_year = yearOf(date).value() - 1900;
    tm.tm_mon = monthOf(date).value() - 1;
    tm.tm_mday = dayOf(date).value();
    timegm(&tm); // works out the weekday and the day of the year
    char text[256];
    return QString::fromLatin1(
        text, static_cast<qsizetype>(std::strftime(text, sizeof text, format, &tm)));
}

TEST(FormatDate, AgreesWithGlibcEveryFifthDayLinuxOnly)
{
    for (const char *format :
         {"%Y %C %y %G %g %m %d %e %j %u %w %V %U %W", "%a %A %b %h %B %D %F%n%t%%",
          "%-d %_m %0e %5j %-V %_U %-3w %_5g %-10A %010b %12F"}) {
        for (sys_days day = firstDay; day <= lastDay; day += days{5})
            ASSERT_EQ(formatDate(QString::fromLatin1(format), Date{day}, cNames),
                      glibcText(format, Date{day}))
                << format;
    }
}
#endif

TEST(FormatProblem, NamesTheConversionAtFaultAndThenNothingIsWritten)
{
    using Row = std::pair<const char *, const char *>; // a format, and why it cannot be used
    for (const auto &[format, problem] :
         {Row{"%d/%m/%Y %H:%M", "%H is not part of a date"},
          Row{"%-I", "%-I is not part of a date"}, Row{"%c", "%c is not part of a date"},
          Row{"%d %", "% at the end"}, Row{"%_05", "%_05 at the end"},
          Row{"%q", "%q is not a conversion"}, Row{"%Ey", "%E is not a conversion"},
          Row{"%^B", "%^ is not a conversion"}, Row{"%٣d", "%٣ is not a conversion"},
          Row{"%😀", "%😀 is not a conversion"}, Row{"%100d", "%100d is too wide"}}) {
        EXPECT_EQ(formatProblem(QString::fromUtf8(format)), QString::fromUtf8(problem));
        EXPECT_EQ(formatDate(QString::fromUtf8(format), 2005y / December / 7, cNames),
                  std::nullopt);
    }
}

} // namespace
} // namespace calendario
