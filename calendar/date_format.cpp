#include "calendar/date_format.h"

#include <algorithm>
#include <iterator>

namespace calendario {

using namespace std::chrono;

std::optional<Date> isoDate(QStringView text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    const auto y = dateField(text.first(4));
    const auto m = dateField(text.sliced(5, 2));
    const auto d = dateField(text.sliced(8, 2));
    if (!y || !m || !d)
        return std::nullopt;
    const Date date{year{*y}, month{unsigned(*m)}, day{unsigned(*d)}};
    if (!date.ok())
        return std::nullopt;
    return date;
}

QString isoText(Date date)
{
    return QStringLiteral("%1-%2-%3")
        .arg(int(date.year()), 4, 10, QLatin1Char('0'))
        .arg(unsigned(date.month()), 2, 10, QLatin1Char('0'))
        .arg(unsigned(date.day()), 2, 10, QLatin1Char('0'));
}

namespace {

int dayOfYear(Date date)
{
    return static_cast<int>((sys_days{date} - sys_days{date.year() / January / 1}).count()) + 1;
}

// The week of the year that begins on its first Sunday or Monday; the days before lie in
// week 0.
int weekOfYear(Date date, weekday firstDay)
{
    const auto intoWeek = static_cast<int>((weekday{sys_days{date}} - firstDay).count());
    return (dayOfYear(date) - 1 - intoWeek + 7) / 7;
}

// Arabic and Persian short dates come in their own digits; scripts read ASCII ones.
QString withAsciiDigits(QStringView text)
{
    QString ascii;
    ascii.reserve(text.size());
    for (char32_t c : text.toUcs4()) {
        if (QChar::category(c) == QChar::Number_DecimalDigit)
            c = U'0' + QChar::digitValue(c);
        ascii.append(QStringView(QChar::fromUcs4(c)));
    }
    return ascii;
}

// What one letter after "%" writes: a number, with the digits it fills unless a flag or a
// width says otherwise, or a text.
struct Conversion
{
    char16_t letter;
    int (*number)(Date) = nullptr;
    int digits = 0;
    char16_t filling = u'0';
    QString (*text)(Date, const DateNames &) = nullptr;
};

// A weekday or month name, in the form the conversion asks for.
template<QString (DateNames::*name)(Date, QLocale::FormatType) const, QLocale::FormatType form>
QString nameOf(Date date, const DateNames &names)
{
    return (names.*name)(date, form);
}

constexpr Conversion conversions[] = {
    {.letter = u'Y', .number = [](Date d) { return yearOf(d).value(); }, .digits = 4},
    {.letter = u'C', .number = [](Date d) { return yearOf(d).value() / 100; }, .digits = 2},
    {.letter = u'y', .number = [](Date d) { return yearOf(d).value() % 100; }, .digits = 2},
    {.letter = u'G', .number = isoWeekYear, .digits = 4},
    {.letter = u'g', .number = [](Date d) { return isoWeekYear(d) % 100; }, .digits = 2},
    {.letter = u'm', .number = [](Date d) { return monthOf(d).value(); }, .digits = 2},
    {.letter = u'd', .number = [](Date d) { return dayOf(d).value(); }, .digits = 2},
    {.letter = u'e',
     .number = [](Date d) { return dayOf(d).value(); },
     .digits = 2,
     .filling = u' '},
    {.letter = u'j', .number = dayOfYear, .digits = 3},
    {.letter = u'u',
     .number = [](Date d) { return static_cast<int>(weekday{sys_days{d}}.iso_encoding()); },
     .digits = 1},
    {.letter = u'w',
     .number = [](Date d) { return static_cast<int>(weekday{sys_days{d}}.c_encoding()); },
     .digits = 1},
    {.letter = u'V', .number = isoWeek, .digits = 2},
    {.letter = u'U', .number = [](Date d) { return weekOfYear(d, Sunday); }, .digits = 2},
    {.letter = u'W', .number = [](Date d) { return weekOfYear(d, Monday); }, .digits = 2},
    {.letter = u'a', .text = nameOf<&DateNames::weekdayName, QLocale::ShortFormat>},
    {.letter = u'A', .text = nameOf<&DateNames::weekdayName, QLocale::LongFormat>},
    {.letter = u'b', .text = nameOf<&DateNames::monthNameInDate, QLocale::ShortFormat>},
    {.letter = u'h', .text = nameOf<&DateNames::monthNameInDate, QLocale::ShortFormat>},
    {.letter = u'B', .text = nameOf<&DateNames::monthNameInDate, QLocale::LongFormat>},
    {.letter = u'D',
     .text = [](Date d, const DateNames &names) { return *formatDate(u"%m/%d/%y", d, names); }},
    {.letter = u'F',
     .text = [](Date d, const DateNames &names) { return *formatDate(u"%Y-%m-%d", d, names); }},
    {.letter = u'x',
     .text = [](Date d, const DateNames &names) { return withAsciiDigits(names.shortDate(d)); }},
    {.letter = u'n', .text = [](Date, const DateNames &) { return QStringLiteral("\n"); }},
    {.letter = u't', .text = [](Date, const DateNames &) { return QStringLiteral("\t"); }},
    {.letter = u'%', .text = [](Date, const DateNames &) { return QStringLiteral("%"); }},
};

// The letters of strftime's and GNU date's times of day: a person asked for a date gives none.
constexpr QStringView timeLetters = u"HIklMSpPZzscXrRTN";

// Wider fields are no date a person reads, and a mistyped width must not ask for gigabytes.
constexpr int widestField = 99;

const Conversion *conversionOf(QChar letter)
{
    const auto found = std::ranges::find(conversions, letter.unicode(), &Conversion::letter);
    return found == std::end(conversions) ? nullptr : found;
}

// One conversion as the format asks for it: "%_5d".
struct Field
{
    const Conversion *conversion;
    char16_t flag; // '-', '_', '0', or 0 for none
    int width; // 0 for none
};

// Reads a format, handing each run of text to copy and each field to write, and returns why
// the format cannot write a date, or an empty text.
template<typename Copy, typename Write>
QString readFormat(QStringView format, Copy copy, Write write)
{
    qsizetype at = 0;
    while (at < format.size()) {
        const qsizetype percent = format.indexOf(u'%', at);
        copy(format.sliced(at, (percent < 0 ? format.size() : percent) - at));
        if (percent < 0)
            break;
        at = percent + 1;
        Field field{nullptr, 0, 0};
        // As in glibc, the last of several flags counts, and a 0 before any digit is a flag.
        for (; at < format.size() && QStringView(u"-_0").contains(format[at]); ++at)
            field.flag = format[at].unicode();
        for (; at < format.size() && format[at] >= u'0' && format[at] <= u'9'; ++at)
            field.width =
                std::min(field.width * 10 + (format[at].unicode() - u'0'), widestField + 1);
        if (at == format.size())
            return QStringLiteral("%1 at the end").arg(format.sliced(percent));
        const qsizetype end = at + firstCharacter(format.sliced(at)).size();
        const QStringView asked = format.sliced(percent, end - percent);
        field.conversion = conversionOf(format[at]);
        if (!field.conversion && timeLetters.contains(format[at]))
            return QStringLiteral("%1 is not part of a date").arg(asked);
        if (!field.conversion)
            return QStringLiteral("%1 is not a conversion").arg(asked);
        if (field.width > widestField)
            return QStringLiteral("%1 is too wide").arg(asked);
        write(field);
        at = end;
    }
    return {};
}

QString filled(QString text, int width, QChar filling)
{
    if (text.size() < width)
        text.prepend(QString(width - text.size(), filling));
    return text;
}

// As glibc fills them: a number to its own digits unless "-" asks for none, a text only to a
// width given; blanks for "_" and "-", zeros for "0".
QString written(Field field, Date date, const DateNames &names)
{
    const Conversion &conversion = *field.conversion;
    const QChar flagFilling = field.flag == u'0' ? u'0' : u' ';
    if (conversion.text)
        return filled(conversion.text(date, names), field.width, flagFilling);
    const int width = field.width > 0 ? field.width : field.flag == u'-' ? 0 : conversion.digits;
    return filled(QString::number(conversion.number(date)), width,
                  field.flag ? flagFilling : QChar(conversion.filling));
}

} // namespace

std::optional<QString> formatDate(QStringView format, Date date, const DateNames &names)
{
    QString text;
    const QString problem = readFormat(
        format, [&](QStringView copied) { text += copied; },
        [&](Field field) { text += written(field, date, names); });
    if (!problem.isEmpty())
        return std::nullopt;
    return text;
}

QString formatProblem(QStringView format)
{
    return readFormat(
        format, [](QStringView) {}, [](Field) {});
}

} // namespace calendario
