// --date-format's writer: a format writes a day exactly when formatProblem finds no fault in
// it, and what it writes stays within the widths a format can ask for.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "calendar/calendar_years.h"
#include "calendar/date_format.h"

namespace {

using namespace std::chrono;

// The most one character of a format can write: "%99Y", four characters, writes 99.
constexpr qsizetype kWidestPerCharacter = 25;

// Locales with long names, other digits and other scripts.
const calendario::DateNames &names(std::uint8_t choice)
{
    static const calendario::DateNames all[] = {
        calendario::DateNames(QLocale::c()),
        calendario::DateNames(QLocale(QLocale::Italian, QLocale::Italy)),
        calendario::DateNames(QLocale(QLocale::Arabic, QLocale::Egypt)),
        calendario::DateNames(QLocale(QLocale::Japanese, QLocale::Japan)),
    };
    return all[choice % std::size(all)];
}

} // namespace

// The first four bytes choose the day, from the calendar's first to its last, and the
// locale; the others are the format, in UTF-8.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::uint32_t number = std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8
        | std::uint32_t(data[2]) << 16 | std::uint32_t(data[3]) << 24;
    const sys_days first{calendario::kFirstDay};
    const auto span = std::uint32_t((sys_days{calendario::kLastDay} - first).count()) + 1;
    const calendario::Date date{first + days{number % span}};
    const QString format =
        QString::fromUtf8(reinterpret_cast<const char *>(data) + 4, qsizetype(size - 4));
    const QString problem = calendario::formatProblem(format);
    const std::optional<QString> written =
        calendario::formatDate(format, date, names(data[3] >> 6));
    if (problem.isEmpty() != written.has_value())
        std::abort();
    if (written && written->size() > kWidestPerCharacter * format.size())
        std::abort();
    return 0;
}
