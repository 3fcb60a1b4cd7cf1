#pragma once

namespace calendario {

// Until the window program is up, a failure to open a window ends the program with one line
// on the error output naming the cause, such as "calendario: cannot open a window: could not
// connect to display :99", and status 1, rather than with Qt's abort and a core dump.
// Qt's warnings are held back meanwhile, for that line.
void sayFailuresPlainly();

// Qt's messages go their usual way again, those held back first; called once QApplication
// has opened its platform.
void sayFailuresAsUsual();

} // namespace calendario
