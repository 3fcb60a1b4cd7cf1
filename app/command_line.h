#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "app/single_instance.h"
#include "calendar/calendar_years.h"
#include "calendar/date_services.h"
#include "window/form1.h"

namespace calendario {

// What the command line asks of the calendar.
struct CommandLine
{
    Form1::Options window;
    // Closes the calendar that runs, or opens one when none does.
    bool toggle = false;
    // Prints the day chosen (window.picker), in this form.
    QString dateFormat = QStringLiteral("%Y-%m-%d");
    // Opens on this day.
    std::optional<Date> date;

    // What a calendar already open is asked to do instead.
    Request request() const;
};

// The exit status of a command line that cannot be used.
inline constexpr int kUsageExitStatus = 2;

// The command line read, or the status to end with at once: 0 after --help or --version,
// which it has printed; kUsageExitStatus after an option or a value it cannot use, which
// it has said, in a line on the error output. On Windows, where a window program has no
// console, it says either in a message box, as Qt does.
struct Reading
{
    std::optional<CommandLine> commandLine;
    int exitStatus = 0;
};
Reading readCommandLine(const QStringList &arguments);

// The program's arguments, its name first, as the platform hands them over: on Windows from
// the wide command line, which keeps every character.
QStringList programArguments(int argc, char **argv);

} // namespace calendario
