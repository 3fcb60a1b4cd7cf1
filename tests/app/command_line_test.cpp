// The command line as the program reads it, before any window: what each option and each
// combination comes to, and what is printed, where, with which status.
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "calendar/date_format.h"

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
        {{"og\ngi\u2028"}, 2, QStringLiteral("'og\\x0agi\\x2028' is no option")},
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

// What a calendar opened is asked to be, in words: "toggle popup weeks print", the format
// when it is not the default, the day, and what a calendar already open is asked.
QString described(const CommandLine &line)
{
    QStringList words;
    const std::pair<bool, const char *> flags[] = {{line.toggle, "toggle"},
                                                   {line.window.popup, "popup"},
                                                   {line.window.weekNumbers, "weeks"},
                                                   {line.window.picker, "print"}};
    for (const auto &[set, word] : flags)
        if (set)
            words << QString::fromLatin1(word);
    if (line.dateFormat != CommandLine().dateFormat)
        words << line.dateFormat;
    if (line.date)
        words << QString::number(int(line.date->year())) + QLatin1Char('/')
                + QString::number(unsigned(line.date->month())) + QLatin1Char('/')
                + QString::number(unsigned(line.date->day()));
    const char *requests[] = {"activate", "close", "show "};
    const Request request = line.request();
    words << QString::fromLatin1(requests[int(request.kind)])
            + (request.date ? isoText(*request.date) : QString());
    return words.join(QLatin1Char(' '));
}

TEST(CommandLine, OpensTheCalendarAsked)
{
    const std::pair<std::vector<const char *>, const char *> rows[] = {
        {{}, "activate"},
        {{"--toggle"}, "toggle close"},
        {{"--popup", "--toggle", "--week-numbers"}, "toggle popup weeks close"},
        {{"--date", "2024-02-29"}, "2024/2/29 show 2024-02-29"},
        {{"--date", "1500-01-01"}, "1500/1/1 show 1500-01-01"},
        {{"--date=2500-12-31"}, "2500/12/31 show 2500-12-31"},
        {{"--print"}, "print activate"},
        {{"--print", "--popup", "--week-numbers", "--date-format", "%A %-d", "--date",
          "2024-02-29"},
         "popup weeks print %A %-d 2024/2/29 show 2024-02-29"},
        {{"-platform", "xcb", "-style", "fusion", "-reverse", "--display", ":0"}, "activate"},
    };
    for (const auto &[options, expected] : rows) {
        const Reading reading = read(options);
        ASSERT_TRUE(reading.commandLine) << qPrintable(reading.text);
        EXPECT_EQ(reading.exitStatus, 0);
        EXPECT_TRUE(reading.text.isEmpty());
        EXPECT_EQ(described(*reading.commandLine), QString::fromUtf8(expected));
    }
    // Without an output only the date picker is refused.
    EXPECT_TRUE(read({"--popup"}, false).commandLine);
}

} // namespace
} // namespace calendario
