#include <QApplication>
#include <QLocale>

#include "app/command_line.h"
#include "app/plain_failure.h"
#include "app/program.h"
#include "app/program_identity.h"
#include "app/streams.h"
#include "calendar/clock.h"
#include "window/failure.h"
#include "window/form1.h"

int main(int argc, char *argv[])
{
    using namespace calendario;
    const bool outputClosed = openClosedStandardStreams();
    nameTheProgram();
    const Reading reading = readCommandLine(programArguments(argc, argv), !outputClosed);
    if (!reading.commandLine)
        return reading.exitStatus;
    const CommandLine &line = *reading.commandLine;

    sayFailuresPlainly();
    QApplication app(argc, argv);
    sayFailuresAsUsual();
    Program program(line);
    const SystemClock clock;
    // The user's locale as the platform gives it: LC_ALL, LC_TIME or LANG on Linux, the
    // regional settings on Windows.
    Form1 window(clock, QLocale::system(), line.window);
    if (!window.load())
        return kFailureExitStatus;
    // The picker's answer, or anything else written, reaches the output or the status says not.
    return closeOutput(program.run(window));
}
