// The command line as the program reads it, before any window: what each option and each
// combination comes to, and what is printed, where, with which status.
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"

namespace calendario {
namespace {

using namespace std::chrono;

Reading read(const std::vector<const char *> &options, bool outputOpen = true)
{
    QStringList arguments{QStringLiteral("calendario")};
    for (const char *option : options)
        arguments << QString::fromUtf8(option);
    return readArguments(arguments, outputOpen);
}

QString firstDay()
{
    return QString::number(kFirstYear) + QStringLiteral("-01-01");
}

// Command lines that end at once: the status, and a part of the text said.
struct EndsAtOnce
{
    std::vector<const char *> options;
    int status;
    QString text;
    bool outputOpen = true;
};

TEST(CommandLine, EndsAtOnceWithATextAndItsStatus)
{
    const QString version = QStringLiteral("calendario " CALENDARIO_VERSION);
    const EndsAtOnce rows[] = {
        {{"--help"}, 0, QStringLiteral("--date-format <FORMAT>")},
        {{"-h"}, 0, QStringLiteral("--print")},
        {{"--help"}, 0, QStringLiteral("--platform <name>")},
        {{"--help"}, 0, QStringLiteral("--display <display>")},
        {{"--help", "--frobnicate"}, 2, QStringLiteral("Unknown option 'frobnicate'")},
        {{"--version"}, 0, version},
        {{"-v"}, 0, version},
        {{"--print", "--version"}, 0, version},
        {{"--help-all"}, 2, QStringLiteral("Unknown option 'help-all'")},
        {{"--qwindowtitle", "x"}, 2, QStringLiteral("Unknown option 'qwindowtitle'")},
        {{"--date"}, 2, QStringLiteral("Missing value after '--date'")},
        {{"--date", "2005-02-30"}, 2, QStringLiteral("--date 2005-02-30: no such day")},
        {{"--date", "1499-12-31"}, 2, firstDay()},
        {{"--date", "2501-01-01"}, 2, QString::number(kLastYear) + QStringLiteral("-12-31")},
        {{"--date=7/12/2005"}, 2, QStringLiteral("a day is YYYY-MM-DD")},
        {{"--date", "2024-02-29", "--date", "2024-02-29"}, 2, QStringLiteral("more than once")},
        {{"--print", "--date-format", "%d", "--date-format", "%d"},
         2,
         QStringLiteral("--date-format is given more than once")},
        {{"--print", "--date-format", "%H"}, 2, QStringLiteral("'%H': %H is not part of a date")},
        {{"--date-format", "%d"}, 2, QStringLiteral("without --print")},
        {{"--popup", "--date-format", "%Y-%m-%d"}, 2, QStringLiteral("without --print")},
        {{"--toggle", "--print"}, 2, QStringLiteral("--toggle and --print")},
        {{"--toggle", "--date", "2024-02-29"}, 2, QStringLiteral("--toggle and --date")},
        {{"--print"}, 2, QStringLiteral("--print has no standard output"), false},
        {{"oggi"}, 2, QStringLiteral("'oggi' is no option")},
        {{"-platform"}, 2, QStringLiteral("Missing value after '-platform'")},
    };
    for (const EndsAtOnce &row : rows) {
        const Reading reading = read(row.options, row.outputOpen);
        EXPECT_FALSE(reading.commandLine) << row.options.front();
        EXPECT_EQ(reading.exitStatus, row.status) << row.options.front();
        EXPECT_TRUE(reading.text.contains(row.text)) << qPrintable(reading.text);
        if (row.status != 0) {
            EXPECT_TRUE(reading.text.startsWith(QStringLiteral("calendario: ")));
            EXPECT_FALSE(reading.text.contains(QLatin1Char('\n'))) << qPrintable(reading.text);
        }
    }
}

// Command lines that open a calendar: what it is asked to be, and what it asks of one open.
struct Opens
{
    std::vector<const char *> options;
    bool toggle;
    bool popup;
    bool weekNumbers;
    bool picker;
    const char *dateFormat;
    std::optional<Date> date;
    Request::Kind request;
    bool outputOpen = true;
};

TEST(CommandLine, OpensTheCalendarAsked)
{
    const Date leapDay{year{2024}, February, day{29}};
    const Opens rows[] = {
        {{}, false, false, false, false, "%Y-%m-%d", {}, Request::Kind::Activate},
        {{}, false, false, false, false, "%Y-%m-%d", {}, Request::Kind::Activate, false},
        {{"--toggle"}, true, false, false, false, "%Y-%m-%d", {}, Request::Kind::Close},
        {{"--popup", "--toggle", "--week-numbers"},
         true,
         true,
         true,
         false,
         "%Y-%m-%d",
         {},
         Request::Kind::Close},
        {{"--date", "2024-02-29"},
         false,
         false,
         false,
         false,
         "%Y-%m-%d",
         leapDay,
         Request::Kind::ShowDate},
        {{"--date", "1500-01-01"},
         false,
         false,
         false,
         false,
         "%Y-%m-%d",
         kFirstDay,
         Request::Kind::ShowDate},
        {{"--date=2500-12-31"},
         false,
         false,
         false,
         false,
         "%Y-%m-%d",
         kLastDay,
         Request::Kind::ShowDate},
        {{"--print"}, false, false, false, true, "%Y-%m-%d", {}, Request::Kind::Activate},
        {{"--print", "--popup", "--week-numbers", "--date-format", "%A %-d %B", "--date",
          "2024-02-29"},
         false,
         true,
         true,
         true,
         "%A %-d %B",
         leapDay,
         Request::Kind::ShowDate},
        {{"-platform", "xcb", "-style", "fusion", "-reverse", "--display", ":0"},
         false,
         false,
         false,
         false,
         "%Y-%m-%d",
         {},
         Request::Kind::Activate},
    };
    for (const Opens &row : rows) {
        const Reading reading = read(row.options, row.outputOpen);
        ASSERT_TRUE(reading.commandLine) << qPrintable(reading.text);
        const CommandLine &line = *reading.commandLine;
        EXPECT_EQ(reading.exitStatus, 0);
        EXPECT_TRUE(reading.text.isEmpty());
        EXPECT_EQ(line.toggle, row.toggle);
        EXPECT_EQ(line.window.popup, row.popup);
        EXPECT_EQ(line.window.weekNumbers, row.weekNumbers);
        EXPECT_EQ(line.window.picker, row.picker);
        EXPECT_EQ(line.dateFormat, QString::fromUtf8(row.dateFormat));
        EXPECT_EQ(line.date, row.date);
        EXPECT_EQ(line.request().kind, row.request);
    }
    EXPECT_EQ(read({"--date", "2024-02-29"}).commandLine->request().date,
              QStringLiteral("2024-02-29"));
}

} // namespace
} // namespace calendario
