#include "window/failure.h"

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

void fail(const RuntimeError& error) noexcept
{
    failed = true;
    try {
        reporter()(error);
    } catch (...) {
        // The report itself failed; the program still ends with the failure status.
    }
    QCoreApplication::exit(kFailureExitStatus);
}

}  // namespace

void setFailureReporter(FailureReporter replacement)
{
    reporter() = replacement ? std::move(replacement) : FailureReporter(showMessageBox);
}

bool runGuarded(const std::function<void()>& handler) noexcept
{
    if (failed)
        return false;
    try {
        handler();
        return true;
    } catch (const RuntimeError& error) {
        fail(error);
    } catch (...) {
        fail(RuntimeError(RuntimeError::Internal));
    }
    return false;
}

bool hasFailed() { return failed; }

void resetFailure() { failed = false; }

}  // namespace calendario
