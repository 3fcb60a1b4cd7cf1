#pragma once

#include <QLocale>
#include <QString>

#include "calendar/date_services.h"

namespace calendario {

// The names and forms of dates in one locale: month and weekday names and the short date.
class DateNames
{
public:
    explicit DateNames(QLocale locale) : locale_(std::move(locale)) { }

    // "Mmmm": the month's full name as it stands alone ("dicembre", Polish "grudzień").
    QString monthName(Date date) const;

    // The month's name as the locale writes it inside a date, full or abbreviated (Polish
    // "grudnia", "gru"), where monthName gives the stand-alone "grudzień".
    QString monthNameInDate(Date date, QLocale::FormatType format) const;

    // The weekday's name, full or abbreviated: "mercoledì", "mer".
    QString weekdayName(Date date, QLocale::FormatType format) const;

    // "dd mmmm yyyy ddd": "07 dicembre 2005 mer"; the month takes the form that the locale
    // uses inside a date (Polish "07 grudnia 2005 śr.").
    QString fullDate(Date date) const;

    // The locale's short date form: Italian "07/12/05".
    QString shortDate(Date date) const;

    // The locale's long date form: Italian "mercoledì 7 dicembre 2005".
    QString longDate(Date date) const;

    // ">": the text in upper case as the locale writes it (Azerbaijani "i" gives "İ").
    // A single letter that has a title case takes it, so that a capital initial is the
    // one the script uses at the start of a word (a Georgian letter stays as it is).
    QString upperCase(QStringView text) const;

private:
    QLocale locale_;
};

} // namespace calendario
