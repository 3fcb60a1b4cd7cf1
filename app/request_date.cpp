#include "app/request_date.h"

#include "calendar/calendar_years.h"
#include "calendar/date_format.h"

namespace calendario {
namespace {

// As long as a quoted text gets: a date and then some.
constexpr qsizetype kQuotedChars = 40;

} // namespace

std::optional<Date> requestDate(QStringView text, QString *why)
{
    const std::optional<Date> date = isoDate(text);
    if (date && inCalendar(*date))
        return date;
    if (why && !date)
        *why = QStringLiteral("%1 is no day; a day is YYYY-MM-DD").arg(quoted(text));
    else if (why)
        *why = QStringLiteral("%1 is outside the calendar's years, %2 to %3")
                   .arg(quoted(text), isoText(kFirstDay), isoText(kLastDay));
    return std::nullopt;
}

QString quoted(QStringView text)
{
    if (text.size() <= kQuotedChars)
        return QLatin1Char('\'') + text.toString() + QLatin1Char('\'');
    // Never half of a character written as a surrogate pair.
    const qsizetype cut =
        text[kQuotedChars - 1].isHighSurrogate() ? kQuotedChars - 1 : kQuotedChars;
    return QLatin1Char('\'') + text.left(cut).toString() + QStringLiteral("...'");
}

} // namespace calendario
