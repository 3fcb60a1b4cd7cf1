#pragma once

#include <optional>

#include "calendar/clock.h"
#include "calendar/date_services.h"
#include "calendar/int16.h"

namespace calendario {

// How a month of a year lies on the grid of 37 day cells, seven to a row, Monday first:
// 6 + 31 cells, the last column in which a month can begin plus the longest month.
inline constexpr int kCellCount = 37;

// The number of days of a month (1 to 12) in a year, 28 to 31.
Int16 GiorniDelMese(Int16 mese, Int16 anno);

// The Monday-first column of the month's day 1: 0 for Monday to 6 for Sunday.
Int16 ColonnaInizio(Int16 mese, Int16 anno);

// The cell of a day, given the column of day 1. The day is not compared with the month's
// length: a day past the end lands on an empty cell after the last day.
Int16 CellaDelGiorno(Int16 giorno, Int16 inizio);

// The day that a cell shows, or nothing for a cell before day 1 or after the last day.
std::optional<Int16> GiornoDellaCella(Int16 cella, Int16 inizio, Int16 numGiorni);

// The day `days` away from the selected day of a month: from the month's last day when
// the selected day lies past it (the 31st in a month of 30). Nothing when that day falls
// outside the years firstYear to lastYear.
std::optional<Date> movedDay(Int16 giorno, Int16 mese, Int16 anno, int days, Int16 firstYear,
                             Int16 lastYear);

// True when today lies in that month of that year.
bool OggiNelMese(Int16 mese, Int16 anno, const Clock &clock);

} // namespace calendario
