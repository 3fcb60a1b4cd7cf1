#include "window/failure.h"

#include <cstdio>

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>

#include "calendar/runtime_error.h"

namespace calendario {

void reportFailure(QWidget *window, const std::exception_ptr &error, const QString &why) noexcept
{
    try {
        RuntimeError shown(RuntimeError::Internal);
        try {
            std::rethrow_exception(error);
        } catch (const RuntimeError &runtimeError) {
            shown = runtimeError;
        } catch (...) {
            // Any other exception is an internal error.
        }
        const QString line = QStringLiteral("calendario: run-time error %1: %2")
                                 .arg(static_cast<int>(shown.number()))
                                 .arg(QString::fromUtf8(shown.message()))
            + (why.isEmpty() ? QString() : QStringLiteral(": ") + why);
        std::fputs(qPrintable(line + QLatin1Char('\n')), stderr);
        std::fflush(stderr);
        QMessageBox::critical(window, QStringLiteral("calendario"),
                              QStringLiteral("Errore di run-time '%1':\n\n%2")
                                  .arg(static_cast<int>(shown.number()))
                                  .arg(QString::fromUtf8(shown.message())));
    } catch (...) {
        // The report itself failed; the program still ends with the failure status.
    }
    // Before the event loop runs, at start-up, the caller ends the program itself.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(kFailureExitStatus);
}

} // namespace calendario
