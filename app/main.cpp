#include <QApplication>
#include <QLocale>

#include "app/command_line.h"
#include "app/program.h"
#include "app/program_identity.h"
#include "calendar/clock.h"
#include "window/failure.h"
#include "window/form1.h"

int main(int argc, char *argv[])
{
    using namespace calendario;
    nameTheProgram();
    const Reading reading = readCommandLine(programArguments(argc, argv));
    if (!reading.commandLine)
        return reading.exitStatus;
    const CommandLine &line = *reading.commandLine;

    QApplication app(argc, argv);
    Program program(line);
    const SystemClock clock;
    // The user's locale as the platform gives it: LC_ALL, LC_TIME or LANG on Linux, the
    // regional settings on Windows.
    Form1 window(clock, QLocale::system(), line.window);
    if (!window.load())
        return kFailureExitStatus;
    return program.run(window);
}
