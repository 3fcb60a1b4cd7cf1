#include <QApplication>

#include "app/user_locale.h"
#include "calendar/clock.h"
#include "window/failure.h"
#include "window/form1.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const calendario::SystemClock clock;
    calendario::Form1 window(clock, calendario::userLocale());
    if (!window.load())
        return calendario::kFailureExitStatus;
    window.show();
    return app.exec();
}
