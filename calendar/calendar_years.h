#pragma once

#include <chrono>

#include "calendar/date_services.h"

namespace calendario {

// The years the calendar shows: the year bar's range, and the days that a command line or
// another start may ask it for.
inline constexpr int kFirstYear = 1500;
inline constexpr int kLastYear = 2500;
inline constexpr Date kFirstDay{std::chrono::year{kFirstYear}, std::chrono::January,
                                std::chrono::day{1}};
inline constexpr Date kLastDay{std::chrono::year{kLastYear}, std::chrono::December,
                               std::chrono::day{31}};

// Whether the calendar shows the day.
constexpr bool inCalendar(Date date)
{
    return date.ok() && date >= kFirstDay && date <= kLastDay;
}

} // namespace calendario
