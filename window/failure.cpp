#include "window/failure.h"

#include <exception>
#include <utility>

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>

namespace calendario {
namespace {

void showMessageBox(const RuntimeError& error)
{
    QMessageBox::critical(nullptr, QStringLiteral("calendario"),
                          QStringLiteral("Errore di run-time '%1':\n\n%2")
                              .arg(static_cast<int>(error.number()))
                              .arg(QString::fromStdString(error.message())));
}

FailureReporter& reporter()
{
    static FailureReporter current = showMessageBox;
    return current;
}

bool failed = false;
// How many handlers are running, one inside the other.
int running = 0;
// The error that a raised handler ended with, on its way to the statement that raised it.
std::exception_ptr raisedFailure;

RuntimeError asRuntimeError(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError& runtimeError) {
        return runtimeError;
    } catch (...) {
        return RuntimeError(RuntimeError::Internal);
    }
}

void fail(const std::exception_ptr& error) noexcept
{
    failed = true;
    try {
        reporter()(asRuntimeError(error));
    } catch (...) {
        // The report itself failed; the program still ends with the failure status.
    }
    QCoreApplication::exit(kFailureExitStatus);
}

struct Running {
    Running() { ++running; }
    ~Running() { --running; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
};

}  // namespace

void setFailureReporter(FailureReporter replacement)
{
    reporter() = replacement ? std::move(replacement) : FailureReporter(showMessageBox);
}

bool runGuarded(const std::function<void()>& handler) noexcept
{
    if (failed)
        return false;
    const bool answersEvent = running == 0;
    std::exception_ptr error;
    {
        const Running guard;
        try {
            handler();
        } catch (...) {
            error = std::current_exception();
        }
    }
    // A raised handler's error that no statement threw on still ends the event.
    if (answersEvent && !error)
        error = std::exchange(raisedFailure, nullptr);
    if (!error)
        return true;
    if (answersEvent)
        fail(error);
    else
        raisedFailure = error;
    return false;
}

void throwIfRaisedHandlerFailed()
{
    if (raisedFailure)
        std::rethrow_exception(std::exchange(raisedFailure, nullptr));
}

bool hasFailed() { return failed; }

void resetFailure()
{
    failed = false;
    raisedFailure = nullptr;
}

}  // namespace calendario
