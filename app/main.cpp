#include <QApplication>
#include <QLocale>
#include <QTimer>

#include "app/program_identity.h"
#include "calendar/clock.h"
#include "window/failure.h"
#include "window/form1.h"

int main(int argc, char *argv[])
{
    calendario::nameTheProgram();
    QApplication app(argc, argv);
    const calendario::SystemClock clock;
    // The user's locale as the platform gives it: LC_ALL, LC_TIME or LANG on Linux, the
    // regional settings on Windows.
    calendario::Form1 window(clock, QLocale::system());
    if (!window.load())
        return calendario::kFailureExitStatus;
    window.show();
    // Looked up once the window is on its way to the screen, which need not wait for it;
    // a window manager that shows the icon takes it when it comes.
    QTimer::singleShot(0, &app, &calendario::showProgramIcon);
    return app.exec();
}
