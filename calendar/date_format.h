#pragma once

#include <optional>

#include <QString>
#include <QStringView>

#include "calendar/date_names.h"
#include "calendar/date_services.h"

namespace calendario {

// A date as scripts pass one, "YYYY-MM-DD": ASCII digits, a four-digit year, a two-digit
// month and day, and a day that exists. Nothing for any other text; the year is not checked
// against the calendar's years.
std::optional<Date> isoDate(QStringView text);
// The date as isoDate reads it: "2005-12-07".
QString isoText(Date date);

// The date written as strftime's format says ("%d/%m/%Y" gives "07/12/2005"), with the
// locale's month and weekday names and ASCII digits. Only the conversions of a date, with
// glibc's flags "-" (no filling), "_" (blanks) and "0" (zeros) and a width up to 99.
// Nothing for a format that formatProblem finds fault with.
std::optional<QString> formatDate(QStringView format, Date date, const DateNames &names);

// Why a format cannot write a date, in a short English phrase naming the conversion at
// fault ("%H is not part of a date"); empty when it can.
QString formatProblem(QStringView format);

} // namespace calendario
