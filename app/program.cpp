#include "app/program.h"

#include <QApplication>

#include "app/activation_token.h"
#include "app/program_identity.h"
#include "app/streams.h"
#include "calendar/date_format.h"

namespace calendario {
namespace {

// How long a panel's calendar that lost the focus waits before it ends: a click on the
// panel's clock takes the focus first, then starts the calendar again with --toggle, which
// is to close it, not open another.
constexpr int kDismissedGraceMs = 600;

} // namespace

Program::Program(const CommandLine &line) : line_(line)
{
    if (!line.window.picker)
        instance_ = SingleInstance::start(line.request());
    dismissal_.setSingleShot(true);
    dismissal_.setInterval(kDismissedGraceMs);
    connect(&dismissal_, &QTimer::timeout, qApp, &QCoreApplication::quit);
}

int Program::run(Form1 &window)
{
    window_ = &window;
    if (line_.date)
        window.showDate(*line_.date);
    if (instance_) {
        switch (instance_->claim()) {
        case SingleInstance::Claim::HandedOver:
            return 0;
        case SingleInstance::Claim::First:
            instance_->serve(&window);
            connect(instance_.get(), &SingleInstance::requested, this, &Program::answer);
            break;
        case SingleInstance::Claim::Alone:
            break;
        }
    }
    connect(&window, &Form1::dismissed, this, &Program::dismiss);
    connect(&window, &Form1::dateChosen, this, &Program::choose);

    window.show();
    // Looked up once the window is on its way to the screen, which need not wait for it;
    // a window manager that shows the icon takes it when it comes.
    QTimer::singleShot(0, this, &showProgramIcon);
    const int status = QApplication::exec();
    return status != 0 || !line_.window.picker ? status : answerStatus_;
}

// What a later start asks of this calendar.
void Program::answer(const Request &request)
{
    switch (request.kind) {
    case Request::Kind::Close:
        window_->close();
        QCoreApplication::quit();
        return;
    case Request::Kind::ShowDate:
        if (request.date)
            window_->showDate(*request.date);
        break;
    case Request::Kind::Activate:
        break;
    }
    dismissal_.stop();
    const ActivationToken token(request.activationToken);
    window_->bringToFront();
}

void Program::dismiss()
{
    dismissal_.start();
}

// A date picker prints the day chosen, and ends with 0 once main has seen it reach the output.
void Program::choose(Date date)
{
    printLine(formatDate(line_.dateFormat, date, DateNames(QLocale::system())).value_or(QString()));
    answerStatus_ = 0;
    QCoreApplication::quit();
}

} // namespace calendario
