#include "app/command_line.h"

#include <cstdio>

#include <QCommandLineParser>

#include "app/streams.h"
#include "calendar/date_format.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>
#endif

namespace calendario {
namespace {

using namespace std::chrono;

// The days the calendar shows, as --date's help and refusal say them.
QString calendarDays()
{
    return QStringLiteral("from %1 to %2").arg(isoText(kFirstDay), isoText(kLastDay));
}

// Qt's own options, which QApplication takes as it starts ("-platform wayland"). Those that
// name the window's title or icon are left out: the calendar sets both itself.
struct QtOption
{
    const char *name;
    const char *valueName; // none for a switch
    const char *description;
};

constexpr QtOption kQtOptions[] = {
    {"platform", "name", "Qt: the platform plugin that shows the window: xcb, wayland..."},
    {"platformpluginpath", "path", "Qt: a further folder of platform plugins."},
    {"platformtheme", "name", "Qt: the platform theme, such as gtk3 or qt6ct."},
    {"plugin", "name", "Qt: a further plugin to load, such as an input device's."},
    {"style", "name", "Qt: the widgets' style, such as Fusion."},
    {"stylesheet", "file", "Qt: a style sheet for the widgets."},
    {"session", "id", "Qt: the session to restore, for a session manager."},
    {"qwindowgeometry", "geometry", "Qt: where the window opens, as X11's +X+Y."},
    {"display", "display", "Qt on X11: the display to open the window on, such as :0."},
    {"geometry", "geometry", "Qt on X11: as -qwindowgeometry."},
    {"name", "name", "Qt on X11: the program's resource name, for the window manager."},
    {"reverse", nullptr, "Qt: lay the window out right to left."},
    {"widgetcount", nullptr, "Qt: print how many widgets are left at the end, for debugging."},
    {"nograb", nullptr, "Qt: never grab the mouse or the keyboard, for debugging."},
    {"dograb", nullptr, "Qt: grab them even under a debugger."},
    {"sync", nullptr, "Qt on X11: talk to the X server synchronously, for debugging."},
};

// A refusal is one line, whatever the arguments it quotes hold: their control characters
// and line breaks are written as escapes, "\n" as \x0a.
Reading refuse(const QString &why)
{
    QString line = QStringLiteral("calendario: ");
    for (const QChar c : why) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            line += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            line += c;
    }
    return {std::nullopt, line, kUsageExitStatus};
}

} // namespace

Reading readArguments(const QStringList &arguments, bool outputOpen)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A small month calendar with an Italian face. Without options it opens its window, or "
        "brings forward the one already open."));
    // Not Qt's help option, whose --help-all would promise options of Qt's that a program
    // without QApplication yet cannot list: Qt's are listed below with the calendar's.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print the options and end."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the version and end."));
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
    const QCommandLineOption date(QStringLiteral("date"),
                                  QStringLiteral("Open on this day, %1.").arg(calendarDays()),
                                  QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption dateFormat(
        QStringLiteral("date-format"),
        QStringLiteral("How --print writes the day, in strftime's notation, names in the "
                       "locale's language (default: %Y-%m-%d)."),
        QStringLiteral("FORMAT"));
    parser.addOptions({help, version, toggle, popup, weekNumbers, print, date, dateFormat});
    // Read as one word after one dash, as Qt reads its own.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QtOption &qt : kQtOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(qt.name),
                                            QString::fromLatin1(qt.description),
                                            QString::fromLatin1(qt.valueName)));

    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (parser.isSet(help))
        // Read before QApplication, which a screen needs: Qt knows the program's name from it.
        return {std::nullopt,
                parser.helpText()
                    .replace(QLatin1String("<executable_name>"), QLatin1String("calendario"))
                    .trimmed(),
                0};
    if (parser.isSet(version))
        return {std::nullopt,
                QStringLiteral("calendario %1").arg(QStringLiteral(CALENDARIO_VERSION)), 0};
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
    if (line.toggle && parser.isSet(date))
        return refuse(QStringLiteral("--toggle and --date do not go together: --toggle closes "
                                     "the calendar that is open."));
    if (parser.isSet(dateFormat) && !line.window.picker)
        return refuse(QStringLiteral("--date-format is how --print writes the day; without "
                                     "--print nothing is written."));
    if (line.window.picker && !outputOpen)
        return refuse(QStringLiteral("--print has no standard output to print the day on."));
    if (parser.isSet(date)) {
        const QString text = parser.value(date);
        line.date = isoDate(text);
        if (!line.date)
            return refuse(QStringLiteral("--date %1: no such day; a day is YYYY-MM-DD, such as "
                                         "2005-12-07.")
                              .arg(text));
        if (!inCalendar(*line.date))
            return refuse(QStringLiteral("--date %1: the calendar shows the days %2.")
                              .arg(text, calendarDays()));
    }
    if (parser.isSet(dateFormat)) {
        line.dateFormat = parser.value(dateFormat);
        if (const QString problem = formatProblem(line.dateFormat); !problem.isEmpty())
            return refuse(QStringLiteral("--date-format '%1': %2.").arg(line.dateFormat, problem));
    }
    return {line, {}, 0};
}

Reading readCommandLine(const QStringList &arguments, bool outputOpen)
{
    Reading reading = readArguments(arguments, outputOpen);
    if (reading.text.isEmpty())
        return reading;
    const bool error = reading.exitStatus != 0;
    if (showWhereNoStreamReaches(reading.text, error))
        return reading;
    if (error)
        std::fputs(qPrintable(reading.text + QLatin1Char('\n')), stderr);
    else
        printLine(reading.text);
    reading.exitStatus = closeOutput(reading.exitStatus);
    return reading;
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
