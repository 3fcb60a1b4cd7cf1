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

// What a command line comes to: the calendar it asks for, or a text and the status to end
// with at once. Status 0 after --help or --version, with the text for the output;
// kUsageExitStatus after an option or a value that cannot be used, with the one line that
// says why, for the error output.
struct Reading
{
    std::optional<CommandLine> commandLine;
    QString text;
    int exitStatus = 0;
};

// Reads the arguments, the program's name first, printing nothing. `outputOpen`: whether the
// program has a standard output, which a date picker needs for its answer.
Reading readArguments(const QStringList &arguments, bool outputOpen = true);

// Reads the arguments and prints what they come to, with every write checked: a text that
// does not reach the output ends with status 1 instead. On Windows, where a window program
// has no console, the text is said in a message box, as Qt says --help there.
Reading readCommandLine(const QStringList &arguments, bool outputOpen);

// The program's arguments, its name first, as the platform hands them over: on Windows from
// the wide command line, which keeps every character.
QStringList programArguments(int argc, char **argv);

} // namespace calendario
