#pragma once

#include <functional>

#include "calendar/runtime_error.h"

namespace calendario {

// What happens to a runtime error that no handler traps: it is reported with its number
// and message, then the program ends with a non-zero exit status. Handlers run through
// runGuarded, so no exception ever crosses Qt's event loop.

inline constexpr int kFailureExitStatus = 1;

// Shows the report. By default a message box; tests put a recorder in its place.
using FailureReporter = std::function<void(const RuntimeError&)>;
void setFailureReporter(FailureReporter reporter);

// Runs one handler. On a runtime error (or any other exception) the error is reported,
// the event loop is told to end with kFailureExitStatus, and the result is false. Once a
// failure has been reported no further handler runs.
bool runGuarded(const std::function<void()>& handler) noexcept;

bool hasFailed();

// Forgets an earlier failure: for tests that provoke one on purpose.
void resetFailure();

}  // namespace calendario
