#pragma once

namespace calendario {

// The program's name, version and desktop entry, as the platform is to know them: set
// before any window is made, since Wayland names a window's application as it is made.
void nameTheProgram();

// The icon of the program's windows: the icon theme's where the program is installed,
// else the one it carries; on Windows the .exe's own, which Qt's windows have already.
void showProgramIcon();

} // namespace calendario
