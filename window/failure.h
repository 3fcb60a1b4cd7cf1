#pragma once

#include <functional>

#include "calendar/runtime_error.h"

namespace calendario {

// What happens to a runtime error that no handler traps. The handler that fails ends at
// the failing statement, and so does every handler that called or raised it, up to the
// one that answered the user's event: there the error is reported with its number and
// message, once, and the program ends with a non-zero exit status. No exception ever
// crosses Qt's event loop or a signal of Qt's.

inline constexpr int kFailureExitStatus = 1;

// Shows the report. By default a message box; tests put a recorder in its place.
using FailureReporter = std::function<void(const RuntimeError&)>;
void setFailureReporter(FailureReporter reporter);

// Runs one handler. When no other handler is running, it answers an event: a runtime
// error (or any other exception) is reported, the event loop is told to end with
// kFailureExitStatus, and the result is false. When it was raised inside another handler,
// by a property that handler set, the error is kept for that statement to throw on (see
// below) and the result is false. Once a failure has been reported no handler runs.
bool runGuarded(const std::function<void()>& handler) noexcept;

// Called by a control right after a property change that may have raised a handler:
// throws on the error that the raised handler ended with, if any, so that the handler
// which set the property stops at that statement.
void throwIfRaisedHandlerFailed();

bool hasFailed();

// Forgets an earlier failure: for tests that provoke one on purpose.
void resetFailure();

}  // namespace calendario
