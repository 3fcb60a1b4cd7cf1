#pragma once

#include <memory>

#include <QObject>
#include <QTimer>

#include "app/command_line.h"
#include "app/single_instance.h"
#include "window/form1.h"

namespace calendario {

// One start of the calendar: its claim to be the one calendar open, what later starts ask of
// it, a panel's calendar dismissed, and a date picker's answer.
class Program : public QObject
{
public:
    // Starts the claim, beside the window being built; a date picker makes none, every picker
    // being a window of its own.
    explicit Program(const CommandLine &line);

    // Runs the calendar in its window, built and loaded; the program's exit status.
    int run(Form1 &window);

private:
    void answer(const Request &request);
    void dismiss();
    void choose(Date date);

    const CommandLine &line_;
    Form1 *window_ = nullptr;
    std::unique_ptr<SingleInstance> instance_;
    // A panel's calendar that lost the focus ends, unless a later start asks for it again
    // in the meantime.
    QTimer dismissal_;
    // A date picker ends with 1 unless a day was chosen and written out.
    int answerStatus_ = kFailureExitStatus;
};

} // namespace calendario
