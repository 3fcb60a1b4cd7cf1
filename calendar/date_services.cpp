#include "calendar/date_services.h"

#include <optional>

namespace calendario {

using namespace std::chrono;

Int16 yearOf(Date date)
{
    return Int16(static_cast<int>(date.year()));
}
Int16 monthOf(Date date)
{
    return Int16(static_cast<unsigned>(date.month()));
}
Int16 dayOf(Date date)
{
    return Int16(static_cast<unsigned>(date.day()));
}

Int16 weekdaySundayFirst(Date date)
{
    return Int16(weekday{sys_days{date}}.c_encoding() + 1);
}

Date dateOf(Int16 day, Int16 month, Int16 year)
{
    const Date date{std::chrono::year{year.value()} / month.value() / day.value()};
    if (!date.ok())
        throw RuntimeError(RuntimeError::TypeMismatch);
    return date;
}

Date dayBefore(Date date)
{
    return Date{sys_days{date} - days{1}};
}

namespace {

// The Thursday of the date's Monday-first week, which decides the week's year.
sys_days thursdayOfWeek(Date date)
{
    const sys_days day{date};
    return day - (weekday{day} - Monday) + days{3};
}

} // namespace

int isoWeek(Date date)
{
    const sys_days thursday = thursdayOfWeek(date);
    const sys_days newYear{year_month_day{thursday}.year() / January / 1};
    return static_cast<int>((thursday - newYear) / weeks{1}) + 1;
}

int isoWeekYear(Date date)
{
    return static_cast<int>(year_month_day{thursdayOfWeek(date)}.year());
}

namespace {

// The years that the date type holds; shorter years would need a century guessed.
constexpr int firstYear = 100;
constexpr int lastYear = 9999;

} // namespace

std::optional<int> dateField(QStringView field)
{
    if (field.isEmpty() || field.size() > 4)
        return std::nullopt;
    int value = 0;
    for (QChar c : field) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

Date dateFromText(QStringView text)
{
    const qsizetype first = text.indexOf(u'-');
    const qsizetype second = first < 0 ? -1 : text.indexOf(u'-', first + 1);
    if (second < 0)
        throw RuntimeError(RuntimeError::TypeMismatch);
    const auto d = dateField(text.first(first));
    const auto m = dateField(text.sliced(first + 1, second - first - 1));
    const auto y = dateField(text.sliced(second + 1));
    if (!d || !m || !y || *y < firstYear || *y > lastYear)
        throw RuntimeError(RuntimeError::TypeMismatch);
    const Date date{year{*y}, month{static_cast<unsigned>(*m)}, day{static_cast<unsigned>(*d)}};
    if (!date.ok())
        throw RuntimeError(RuntimeError::TypeMismatch);
    return date;
}

QString dayFirstText(Int16 day, Int16 month, Int16 year)
{
    return decimalText(day) + u'-' + decimalText(month) + u'-' + decimalText(year);
}

QString decimalText(Int16 number)
{
    return QString::number(number.value());
}

namespace {

qsizetype firstCharacterLength(QStringView text)
{
    if (text.isEmpty())
        return 0;
    return text.size() > 1 && text[0].isHighSurrogate() && text[1].isLowSurrogate() ? 2 : 1;
}

} // namespace

QString firstCharacter(QStringView text)
{
    return text.first(firstCharacterLength(text)).toString();
}

QString afterFirstCharacter(QStringView text)
{
    return text.sliced(firstCharacterLength(text)).toString();
}

} // namespace calendario
