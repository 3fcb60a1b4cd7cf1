#include "calendar/clock.h"

#include <ctime>

namespace calendario {

Date SystemClock::today() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    using namespace std::chrono;
    return Date{year{local.tm_year + 1900}, month{static_cast<unsigned>(local.tm_mon + 1)},
                day{static_cast<unsigned>(local.tm_mday)}};
}

}  // namespace calendario
