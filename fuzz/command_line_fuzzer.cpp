// The command line's reader: any arguments come to a calendar it can open, or to a text and a
// status that say why not.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QStringList>

#include "app/command_line.h"
#include "calendar/date_format.h"

namespace {

using namespace calendario;

// A calendar accepted is one the program can open as asked.
bool opens(const CommandLine &line, bool outputOpen)
{
    if (line.date && !inCalendar(*line.date))
        return false;
    // A day asked of the calendar already open is the same day.
    if (line.date && line.request().date != line.date)
        return false;
    if (line.toggle && (line.window.picker || line.date))
        return false;
    if (line.window.picker && !outputOpen)
        return false;
    return formatProblem(line.dateFormat).isEmpty();
}

// A command line that ends at once says why: after --help or --version, on the output; else on
// one line of the error output, with the usage status.
bool endsWithAReason(const Reading &reading)
{
    if (reading.text.isEmpty())
        return false;
    if (reading.exitStatus == 0)
        return true;
    return reading.exitStatus == kUsageExitStatus
        && reading.text.startsWith(QStringLiteral("calendario: "))
        && !reading.text.contains(QLatin1Char('\n'));
}

} // namespace

// The first byte says whether the program has an output; the others are the arguments, each
// ended by a NUL as in the program's argv.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool outputOpen = data[0] & 1;
    QStringList arguments{QStringLiteral("calendario")};
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    if (!bytes.isEmpty())
        for (const QByteArray &argument : bytes.split('\0'))
            arguments << QString::fromUtf8(argument);
    const Reading reading = readArguments(arguments, outputOpen);
    if (reading.commandLine) {
        if (reading.exitStatus != 0 || !reading.text.isEmpty()
            || !opens(*reading.commandLine, outputOpen))
            std::abort();
    } else if (!endsWithAReason(reading)) {
        std::abort();
    }
    return 0;
}
