#include "app/user_locale.h"

#include <cstdlib>

namespace calendario {

QLocale userLocale()
{
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return QLocale(QString::fromLocal8Bit(value));
    }
    return QLocale::c();
}

}  // namespace calendario
