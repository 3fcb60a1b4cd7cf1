// The D-Bus face's reader: any method with any arguments is a request within the calendar's
// bounds, or an error with a short message naming the fault; never both, never neither.
//
// The input is text, one line for the method and one for each argument, so that seeds read
// as the calls they are:
//   ActivateAction
//   s:show-date
//   av s:2024-02-29
//   a{sv} activation-token=s:abc;desktop-startup-id=i:7
// An argument is an array, "as A;B", "av ITEM;ITEM" or "a{sv} KEY=ITEM;KEY=ITEM", or an
// ITEM, "TYPE:TEXT" with TYPE s (string), i (integer), d (double), b (boolean), y (bytes),
// l (list of strings, split at ','), m (a map of one string, KEY,VALUE) or v (a list of one
// string, as a variant holding a variant).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QStringList>
#include <QVariantMap>

#include "app/application_call.h"
#include "calendar/calendar_years.h"

namespace {

using calendario::Request;

QVariant item(QStringView typed)
{
    const qsizetype colon = typed.indexOf(QLatin1Char(':'));
    const QStringView type = typed.left(colon);
    const QString text = colon < 0 ? QString() : typed.mid(colon + 1).toString();
    if (type == QLatin1String("i"))
        return text.toInt();
    if (type == QLatin1String("d"))
        return text.toDouble();
    if (type == QLatin1String("b"))
        return text == QLatin1String("1");
    if (type == QLatin1String("y"))
        return text.toUtf8();
    if (type == QLatin1String("l"))
        return text.split(QLatin1Char(','));
    if (type == QLatin1String("m"))
        return QVariantMap{
            {text.section(QLatin1Char(','), 0, 0), text.section(QLatin1Char(','), 1)}};
    if (type == QLatin1String("v"))
        return QVariantList{text};
    return text;
}

QVariant argument(QStringView line)
{
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    const QStringView kind = line.left(blank);
    const QStringView rest = blank < 0 ? QStringView() : line.mid(blank + 1);
    const QList<QStringView> items = rest.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (kind == QLatin1String("as")) {
        QStringList list;
        for (QStringView text : items)
            list << text.toString();
        return list;
    }
    if (kind == QLatin1String("av")) {
        QVariantList list;
        for (QStringView typed : items)
            list << item(typed);
        return list;
    }
    if (kind == QLatin1String("a{sv}")) {
        QVariantMap map;
        for (QStringView entry : items) {
            const qsizetype equals = entry.indexOf(QLatin1Char('='));
            map.insert(entry.left(equals).toString(),
                       equals < 0 ? QVariant() : item(entry.mid(equals + 1)));
        }
        return map;
    }
    return item(line);
}

// The tokens a request may carry: those of the platform data's known keys.
QStringList tokensOf(const QVariantList &arguments)
{
    const QVariantMap data = arguments.value(arguments.size() - 1).toMap();
    return {data.value(QStringLiteral("activation-token")).toString(),
            data.value(QStringLiteral("desktop-startup-id")).toString()};
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QStringView> lines = QStringView(input).split(QLatin1Char('\n'));
    QVariantList arguments;
    for (qsizetype i = 1; i < lines.size(); ++i)
        arguments << argument(lines[i]);
    const QStringView method = lines.front();
    const calendario::CallReading reading = calendario::readApplicationCall(method, arguments);

    check(reading.request.has_value() == reading.error.isEmpty());
    if (!reading.request) {
        // A short message, whatever was sent.
        check(!reading.message.isEmpty() && reading.message.size() <= 160);
        return 0;
    }
    const Request &request = *reading.request;
    check(request.activationToken.isEmpty()
          || (calendario::usableActivationToken(request.activationToken)
              && tokensOf(arguments).contains(request.activationToken)));
    check(request.kind == Request::Kind::ShowDate
              ? request.date && calendario::inCalendar(*request.date)
              : !request.date);
    check(method == QLatin1String("ActivateAction") || request.kind == Request::Kind::Activate);
    return 0;
}
