#include "app/application_call.h"

#include <algorithm>

#include <QStringList>
#include <QVariantMap>

#include "app/request_date.h"

namespace calendario {
namespace {

const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
const QString kUnknownMethod = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");

// The methods of org.freedesktop.Application, and the arguments each takes.
struct Method
{
    QLatin1String name;
    QList<QMetaType> takes;
    QLatin1String signature;
};
const Method kMethods[] = {
    {QLatin1String("Activate"), {QMetaType::fromType<QVariantMap>()}, QLatin1String("a{sv}")},
    {QLatin1String("Open"),
     {QMetaType::fromType<QStringList>(), QMetaType::fromType<QVariantMap>()},
     QLatin1String("as, a{sv}")},
    {QLatin1String("ActivateAction"),
     {QMetaType::fromType<QString>(), QMetaType::fromType<QVariantList>(),
      QMetaType::fromType<QVariantMap>()},
     QLatin1String("s, av, a{sv}")},
};

// Platform data's tokens that let a window come to the front, Wayland's first.
const char *const kTokenKeys[] = {"activation-token", "desktop-startup-id"};

template<typename T>
bool holds(const QVariant &value)
{
    return value.metaType() == QMetaType::fromType<T>();
}

CallReading refused(const QString &error, const QString &message)
{
    return {std::nullopt, error, message};
}

// The first token of the platform data that a window can come to the front with; empty when
// none is.
QString tokenOf(const QVariantMap &data)
{
    for (const char *key : kTokenKeys) {
        const QVariant value = data.value(QLatin1String(key));
        if (!holds<QString>(value))
            continue;
        const QString token = value.toString();
        if (usableActivationToken(token))
            return token;
    }
    return {};
}

// The calendar's actions: "close", and "show-date" with a day.
CallReading readAction(const QString &name, const QVariantList &parameter, const QString &token)
{
    if (name == QLatin1String("close")) {
        if (!parameter.isEmpty())
            return refused(kInvalidArgs, QStringLiteral("the action close takes no parameter"));
        return {Request{Request::Kind::Close, {}, token}, {}, {}};
    }
    if (name == QLatin1String("show-date")) {
        if (parameter.size() != 1 || !holds<QString>(parameter.front()))
            return refused(kInvalidArgs,
                           QStringLiteral("the action show-date takes one parameter, a day as a "
                                          "string YYYY-MM-DD"));
        QString why;
        const std::optional<Date> date = requestDate(parameter.front().toString(), &why);
        if (!date)
            return refused(kInvalidArgs, QStringLiteral("show-date: ") + why);
        return {Request{Request::Kind::ShowDate, date, token}, {}, {}};
    }
    return refused(
        kInvalidArgs,
        QStringLiteral("no action %1; the actions are close and show-date").arg(quoted(name)));
}

} // namespace

CallReading readApplicationCall(QStringView method, const QVariantList &arguments)
{
    const auto found = std::find_if(std::begin(kMethods), std::end(kMethods),
                                    [&](const Method &m) { return m.name == method; });
    if (found == std::end(kMethods))
        return refused(
            kUnknownMethod,
            QStringLiteral("no method %1 in org.freedesktop.Application").arg(quoted(method)));
    const bool taken = arguments.size() == found->takes.size()
        && std::equal(arguments.begin(), arguments.end(), found->takes.begin(),
                      [](const QVariant &given, QMetaType type) {
                          return given.metaType() == type;
                      });
    if (!taken)
        return refused(kInvalidArgs,
                       QStringLiteral("%1 takes (%2)").arg(found->name, found->signature));
    const QString token = tokenOf(arguments.back().toMap());
    if (found->name == QLatin1String("ActivateAction"))
        return readAction(arguments.front().toString(), arguments.at(1).toList(), token);
    // Open asks for files, of which the calendar opens none: it comes to the front.
    return {Request{Request::Kind::Activate, {}, token}, {}, {}};
}

} // namespace calendario
