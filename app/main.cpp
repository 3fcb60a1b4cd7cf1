#include <cstdio>

#include <QApplication>
#include <QLocale>
#include <QTimer>

#include "app/command_line.h"
#include "app/program_identity.h"
#include "app/single_instance.h"
#include "calendar/clock.h"
#include "calendar/date_format.h"
#include "window/failure.h"
#include "window/form1.h"

namespace {

using namespace calendario;

// How long a panel's calendar that lost the focus waits before it ends: a click on the
// panel's clock takes the focus first, then starts the calendar again with --toggle, which
// is to close it, not open another.
constexpr int kDismissedGraceMs = 600;

// What a later start asks of this calendar.
void answer(Form1 &window, const Request &request, bool &dismissed)
{
    switch (request.kind) {
    case Request::Kind::Close:
        window.close();
        QCoreApplication::quit();
        return;
    case Request::Kind::ShowDate:
        // Whoever sent it, a day the calendar does not show is no request.
        if (const std::optional<Date> date = isoDate(request.date); date && inCalendar(*date))
            window.showDate(*date);
        break;
    case Request::Kind::Activate:
        break;
    }
    dismissed = false;
    window.bringToFront();
}

} // namespace

int main(int argc, char *argv[])
{
    nameTheProgram();
    const Reading reading = readCommandLine(programArguments(argc, argv));
    if (!reading.commandLine)
        return reading.exitStatus;
    const CommandLine &line = *reading.commandLine;

    QApplication app(argc, argv);
    // Every date picker is a window of its own; any other start asks the calendar already
    // open, if there is one, while its own window is being built.
    std::unique_ptr<SingleInstance> instance;
    if (!line.window.picker)
        instance = SingleInstance::start(line.request());

    const SystemClock clock;
    // The user's locale as the platform gives it: LC_ALL, LC_TIME or LANG on Linux, the
    // regional settings on Windows.
    Form1 window(clock, QLocale::system(), line.window);
    if (!window.load())
        return kFailureExitStatus;
    if (line.date)
        window.showDate(*line.date);

    bool dismissed = false;
    if (instance) {
        switch (instance->claim()) {
        case SingleInstance::Claim::HandedOver:
            return 0;
        case SingleInstance::Claim::First:
            instance->serve(&window);
            QObject::connect(instance.get(), &SingleInstance::requested, &window,
                             [&](const Request &request) { answer(window, request, dismissed); });
            break;
        case SingleInstance::Claim::Alone:
            break;
        }
    }

    // A panel's calendar that lost the focus ends, unless a later start asks for it again
    // in the meantime.
    QObject::connect(&window, &Form1::dismissed, &app, [&] {
        dismissed = true;
        QTimer::singleShot(kDismissedGraceMs, &app, [&] {
            if (dismissed)
                QCoreApplication::quit();
        });
    });

    // A date picker prints the day chosen, and ends with 0; ended otherwise, with 1.
    int chosen = 1;
    QObject::connect(&window, &Form1::dateChosen, &app, [&](Date date) {
        const QString text =
            formatDate(line.dateFormat, date, DateNames(QLocale::system())).value_or(QString());
        std::fputs(qPrintable(text + QLatin1Char('\n')), stdout);
        std::fflush(stdout);
        chosen = 0;
        QCoreApplication::quit();
    });

    window.show();
    // Looked up once the window is on its way to the screen, which need not wait for it;
    // a window manager that shows the icon takes it when it comes.
    QTimer::singleShot(0, &app, &calendario::showProgramIcon);
    const int status = app.exec();
    return status != 0 || !line.window.picker ? status : chosen;
}
