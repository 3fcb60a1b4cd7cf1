#include "app/command_line.h"

#include <cstdio>

#include <QCommandLineParser>

#include "calendar/date_format.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>
#endif

namespace calendario {
namespace {

using namespace std::chrono;

#ifdef Q_OS_WIN
// Whether the line can be written where it is read: to a console, or to the file or pipe
// the output was redirected to. Qt looks only for handles handed over at start
// (STARTF_USESTDHANDLES), which not every start that redirects them says: Wine's from a
// shell does not.
bool canPrint(DWORD handle)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    if (GetConsoleWindow() || (startup.dwFlags & STARTF_USESTDHANDLES))
        return true;
    const HANDLE output = GetStdHandle(handle);
    if (!output || output == INVALID_HANDLE_VALUE)
        return false;
    const DWORD type = GetFileType(output);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}
#endif

// A line for the user: on the output or the error output; on Windows in a message box when
// the program has neither, as Qt says --help there.
void tell(const QString &text, bool error)
{
#ifdef Q_OS_WIN
    if (!canPrint(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE)) {
        MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.utf16()), L"calendario",
                    MB_OK | MB_TOPMOST | MB_SETFOREGROUND
                        | (error ? MB_ICONERROR : MB_ICONINFORMATION));
        return;
    }
#endif
    std::fputs(qPrintable(text + QLatin1Char('\n')), error ? stderr : stdout);
    std::fflush(error ? stderr : stdout);
}

Reading refuse(const QString &why)
{
    tell(QStringLiteral("calendario: ") + why, true);
    return {std::nullopt, kUsageExitStatus};
}

} // namespace

Reading readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A small month calendar with an Italian face. Without options it opens its window, or "
        "brings forward the one already open."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption toggle(
        QStringLiteral("toggle"),
        QStringLiteral("Close the calendar that is open, or open one when none is: for a panel's "
                       "clock to bind its click to."));
    const QCommandLineOption popup(
        QStringLiteral("popup"),
        QStringLiteral("Open as a panel's calendar: at the mouse pointer, above other windows and "
                       "out of the taskbar, closed by Esc or by a click elsewhere."));
    const QCommandLineOption weekNumbers(QStringLiteral("week-numbers"),
                                         QStringLiteral("Show ISO week numbers left of the days."));
    const QCommandLineOption print(
        QStringLiteral("print"),
        QStringLiteral("Ask for a day, for a script: Enter or a double click prints the selected "
                       "day and ends with status 0; Esc or USCITA ends with status 1 and prints "
                       "nothing. Every such calendar is a window of its own."));
    const QCommandLineOption date(
        QStringLiteral("date"), QStringLiteral("Open on this day, from 1500-01-01 to 2500-12-31."),
        QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption dateFormat(
        QStringLiteral("date-format"),
        QStringLiteral("How --print writes the day, in strftime's notation, names in the "
                       "locale's language (default: %Y-%m-%d)."),
        QStringLiteral("FORMAT"));
    parser.addOptions({toggle, popup, weekNumbers, print, date, dateFormat});
    // Qt's own options, which QApplication takes as it starts: "-platform wayland",
    // "-style fusion", and the like. Read as one word after one dash, as Qt reads them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "style",
                             "stylesheet", "session", "qwindowgeometry", "qwindowicon",
                             "qwindowtitle", "display", "geometry", "title", "name"}) {
        QCommandLineOption qt(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption qt(QString::fromLatin1(name));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }

    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Read before QApplication, which a screen needs: Qt knows the program's name from it.
        tell(parser.helpText()
                 .replace(QLatin1String("<executable_name>"), QLatin1String("calendario"))
                 .trimmed(),
             false);
        return {};
    }
    if (parser.isSet(version)) {
        tell(QStringLiteral("calendario %1").arg(QStringLiteral(CALENDARIO_VERSION)), false);
        return {};
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("'%1' is no option; calendario --help lists them.")
                          .arg(parser.positionalArguments().front()));
    for (const QCommandLineOption &once : {date, dateFormat})
        if (parser.values(once).size() > 1)
            return refuse(
                QStringLiteral("--%1 is given more than once.").arg(once.names().front()));

    CommandLine line;
    line.toggle = parser.isSet(toggle);
    line.window.popup = parser.isSet(popup);
    line.window.weekNumbers = parser.isSet(weekNumbers);
    line.window.picker = parser.isSet(print);
    if (line.toggle && line.window.picker)
        return refuse(QStringLiteral("--toggle and --print do not go together: every calendar "
                                     "that asks for a day is a window of its own."));
    if (parser.isSet(date)) {
        const QString text = parser.value(date);
        line.date = isoDate(text);
        if (!line.date)
            return refuse(QStringLiteral("--date %1: no such day; a day is YYYY-MM-DD, such as "
                                         "2005-12-07.")
                              .arg(text));
        if (!inCalendar(*line.date))
            return refuse(QStringLiteral("--date %1: the calendar shows the days from 1500-01-01 "
                                         "to 2500-12-31.")
                              .arg(text));
    }
    if (parser.isSet(dateFormat)) {
        line.dateFormat = parser.value(dateFormat);
        if (const QString problem = formatProblem(line.dateFormat); !problem.isEmpty())
            return refuse(QStringLiteral("--date-format '%1': %2.").arg(line.dateFormat, problem));
    }
    return {line, 0};
}

Request CommandLine::request() const
{
    if (toggle)
        return {Request::Kind::Close, {}, {}};
    if (date)
        return {Request::Kind::ShowDate, date, {}};
    return {};
}

QStringList programArguments(int argc, char **argv)
{
    QStringList arguments;
#ifdef Q_OS_WIN
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    int count = 0;
    if (wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments << QString::fromWCharArray(wide[i]);
        LocalFree(wide);
    }
#else
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
#endif
    return arguments;
}

} // namespace calendario
