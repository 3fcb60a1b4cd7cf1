#include <QApplication>
#include <QLocale>

#include "calendar/clock.h"
#include "window/failure.h"
#include "window/form1.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const calendario::SystemClock clock;
    // The user's locale as the platform gives it: LC_ALL, LC_TIME or LANG on Linux, the
    // regional settings on Windows.
    calendario::Form1 window(clock, QLocale::system());
    if (!window.load())
        return calendario::kFailureExitStatus;
    window.show();
    return app.exec();
}
