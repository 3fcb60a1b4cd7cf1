#pragma once

#include <QString>

namespace calendario {

// The standard streams, checked as the program starts and as it writes its output.

// Opens each of the standard input, output and error output that the program was started
// without on the null device, so that no file the program opens later takes its number and
// receives what is meant for it (an X connection taking the output, a warning going into
// it). Called first, before anything opens a file. Whether the output was closed: a date
// picker has nowhere to print its answer then.
bool openClosedStandardStreams();

// Where a line for the user goes when neither stream reaches anyone, as for a window program
// started on Windows without a console or a redirection: into a message box, as Qt shows
// --help there. False, showing nothing, where the stream `error` chooses reaches someone,
// which it always does elsewhere.
bool showWhereNoStreamReaches(const QString &text, bool error);

// Writes the text, a newline after it, to the standard output; closeOutput tells whether it
// got there.
void printLine(const QString &text);

// Flushes and closes the standard output, as the program ends: `status` when all that was
// written reached it, or 1 after a line on the error output saying why it did not, such as
// "calendario: write error: No space left on device".
int closeOutput(int status);

} // namespace calendario
