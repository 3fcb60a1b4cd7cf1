#include "calendar/date_names.h"

#include <array>

#include <QDate>

namespace calendario {
namespace {

QDate toQDate(Date date)
{
    return QDate(yearOf(date).value(), monthOf(date).value(), dayOf(date).value());
}

// QLocale counts weekdays from Monday = 1 to Sunday = 7.
int mondayFirstWeekday(Date date)
{
    const int sundayFirst = weekdaySundayFirst(date).value();
    return sundayFirst == 1 ? 7 : sundayFirst - 1;
}

} // namespace

QString DateNames::monthName(Date date) const
{
    return locale_.standaloneMonthName(monthOf(date).value(), QLocale::LongFormat);
}

QString DateNames::monthNameInDate(Date date, QLocale::FormatType format) const
{
    return locale_.monthName(monthOf(date).value(), format);
}

QString DateNames::weekdayName(Date date, QLocale::FormatType format) const
{
    return locale_.dayName(mondayFirstWeekday(date), format);
}

QString DateNames::fullDate(Date date) const
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(dayOf(date).value(), 2, 10, QLatin1Char('0'))
        .arg(monthNameInDate(date, QLocale::LongFormat))
        .arg(yearOf(date).value(), 4, 10, QLatin1Char('0'))
        .arg(weekdayName(date, QLocale::ShortFormat));
}

QString DateNames::shortDate(Date date) const
{
    return locale_.toString(toQDate(date), QLocale::ShortFormat);
}

QString DateNames::longDate(Date date) const
{
    return locale_.toString(toQDate(date), QLocale::LongFormat);
}

QString DateNames::upperCase(QStringView text) const
{
    const QList<uint> letters = text.toUcs4();
    if (letters.size() == 1) {
        const char32_t letter = letters.front();
        if (QChar::toTitleCase(letter) != QChar::toUpper(letter))
            return QString::fromUcs4(std::array{QChar::toTitleCase(letter)}.data(), 1);
    }
    // Unicode's upper case, with the one rule of a language's own that a capital initial
    // can meet: Turkish and Azerbaijani write the capital of i with a dot. The same on every
    // platform, with or without ICU behind QLocale (Qt for Windows has none).
    QString upper = text.toString();
    const QLocale::Language language = locale_.language();
    if (language == QLocale::Turkish || language == QLocale::Azerbaijani)
        upper.replace(QLatin1Char('i'), QChar(0x0130));
    return upper.toUpper();
}

} // namespace calendario
