// --date's reader: any text is a day of the calendar written back as it was read, or none.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "calendar/date_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<calendario::Date> date = calendario::isoDate(text);
    if (!date)
        return 0;
    // A day read is a real day, and reads from the very text it is written as.
    if (!date->ok())
        std::abort();
    if (calendario::isoText(*date) != text)
        std::abort();
    return 0;
}
