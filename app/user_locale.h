#pragma once

#include <QLocale>

namespace calendario {

// The locale whose names and date forms the user asked for: LC_ALL, else LC_TIME, else
// LANG, as the C library reads them; "C", "POSIX" or nothing give Qt's C locale.
QLocale userLocale();

}  // namespace calendario
