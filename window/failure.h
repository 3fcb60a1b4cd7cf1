#pragma once

#include <exception>

#include <QString>

#include "calendar/runtime_error.h"

class QWidget;

namespace calendario {

// What happens to a runtime error that no handler traps. The handler that fails ends at
// the failing statement, and so does every handler that called it or set the property
// that raised it, up to the one that answered the user's event: there the error is
// reported with its number and message, once, and the program ends with a non-zero exit
// status. No exception ever crosses Qt's event loop or a signal of Qt's.

// Shows the error (any exception that is no runtime error as an internal one) in a message
// box over `window`, and on one line of the error output, for a script that started the
// program, with `why` it arose where that is known; then ends the event loop that is
// running with kFailureExitStatus. Called from the event loop, or before it runs: never
// inside a signal that is still being emitted.
void reportFailure(QWidget *window, const std::exception_ptr &error,
                   const QString &why = QString()) noexcept;

} // namespace calendario
