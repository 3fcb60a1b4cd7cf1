#pragma once

#include <chrono>
#include <optional>

#include <QString>
#include <QStringView>

#include "calendar/int16.h"

namespace calendario {

// A whole day of the proleptic Gregorian calendar, without time of day.
using Date = std::chrono::year_month_day;

Int16 yearOf(Date date);
Int16 monthOf(Date date);
Int16 dayOf(Date date);

// 1 for Sunday to 7 for Saturday.
Int16 weekdaySundayFirst(Date date);

// The date of a day of a month (1 to 12) of a year; one that names no real day raises the
// conversion error.
Date dateOf(Int16 day, Int16 month, Int16 year);

// The previous day.
Date dayBefore(Date date);

// The ISO 8601 week of a date, 1 to 53. Weeks begin on Monday and belong to the year that
// holds their Thursday, so that 1 January 2005 lies in week 53 of 2004.
int isoWeek(Date date);

// The year that the date's ISO week belongs to: 2004 for 1 January 2005.
int isoWeekYear(Date date);

// One field of a date written in digits: one to four ASCII digits as a number; nothing for
// anything else.
std::optional<int> dateField(QStringView field);

// Reads "day-month-year" in decimal, day first whatever the locale: "1-12-2005" is
// 1 December 2005. Strict: a text that names no real day raises the conversion error;
// it never rolls over into the next month.
Date dateFromText(QStringView text);

// The day-first text of a date, as dateFromText reads it: "1-3-2005".
QString dayFirstText(Int16 day, Int16 month, Int16 year);

// Digits with "-" before a negative number: no blank, no leading zeros.
QString decimalText(Int16 number);

// The first character of a text (a surrogate pair stays whole) and what follows it.
QString firstCharacter(QStringView text);
QString afterFirstCharacter(QStringView text);

} // namespace calendario
