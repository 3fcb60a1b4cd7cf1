#include "app/application_call.h"

#include <algorithm>

#include <QStringList>
#include <QVariantMap>

#include "app/activation_token.h"
#include "app/request_date.h"
#include "calendar/date_format.h"

namespace calendario {
namespace {

const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
const QString kUnknownMethod = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");

const QLatin1String kActivate("Activate");
const QLatin1String kActivateAction("ActivateAction");
// The calendar's actions.
const QLatin1String kClose(kCloseAction);
const QLatin1String kShowDate(kShowDateAction);

// The methods of org.freedesktop.Application, and the arguments each takes: as Qt hands them
// over, as D-Bus writes them, and as introspection names them.
struct Argument
{
    QMetaType type;
    QLatin1String signature;
    QLatin1String name;
};
const Argument kPlatformData{QMetaType::fromType<QVariantMap>(), QLatin1String("a{sv}"),
                             QLatin1String("platform_data")};
struct Method
{
    QLatin1String name;
    QList<Argument> takes;
};
const Method kMethods[] = {
    {kActivate, {kPlatformData}},
    {QLatin1String("Open"),
     {{QMetaType::fromType<QStringList>(), QLatin1String("as"), QLatin1String("uris")},
      kPlatformData}},
    {kActivateAction,
     {{QMetaType::fromType<QString>(), QLatin1String("s"), QLatin1String("action_name")},
      {QMetaType::fromType<QVariantList>(), QLatin1String("av"), QLatin1String("parameter")},
      kPlatformData}},
};

QString signatureOf(const Method &method)
{
    QStringList signatures;
    for (const Argument &argument : method.takes)
        signatures << argument.signature;
    return signatures.join(QStringLiteral(", "));
}

// Platform data's tokens that let a window come to the front, Wayland's first, and the
// variables a launcher hands them to a program in.
struct TokenKey
{
    const char *key;
    const char *variable;
};
const TokenKey kTokenKeys[] = {{"activation-token", kActivationTokenVariable},
                               {"desktop-startup-id", "DESKTOP_STARTUP_ID"}};

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
    for (const TokenKey &key : kTokenKeys) {
        const QVariant value = data.value(QLatin1String(key.key));
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
    if (name == kClose) {
        if (!parameter.isEmpty())
            return refused(kInvalidArgs, QStringLiteral("the action close takes no parameter"));
        return {Request{Request::Kind::Close, {}, token}, {}, {}};
    }
    if (name == kShowDate) {
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
                      [](const QVariant &given, const Argument &argument) {
                          return given.metaType() == argument.type;
                      });
    if (!taken)
        return refused(kInvalidArgs,
                       QStringLiteral("%1 takes (%2)").arg(found->name, signatureOf(*found)));
    const QString token = tokenOf(arguments.back().toMap());
    if (found->name == kActivateAction)
        return readAction(arguments.front().toString(), arguments.at(1).toList(), token);
    // Open asks for files, of which the calendar opens none: it comes to the front.
    return {Request{Request::Kind::Activate, {}, token}, {}, {}};
}

ApplicationCall applicationCallFor(const Request &request)
{
    QVariantMap platformData;
    for (const TokenKey &key : kTokenKeys)
        if (const QByteArray token = qgetenv(key.variable); !token.isEmpty())
            platformData.insert(QLatin1String(key.key), QString::fromUtf8(token));
    switch (request.kind) {
    case Request::Kind::Close:
        return {kActivateAction, {QString(kClose), QVariantList(), platformData}};
    case Request::Kind::ShowDate:
        if (request.date)
            return {kActivateAction,
                    {QString(kShowDate), QVariantList{isoText(*request.date)}, platformData}};
        break;
    case Request::Kind::Activate:
        break;
    }
    return {kActivate, {platformData}};
}

QString applicationIntrospection()
{
    QString text = QStringLiteral("<interface name=\"org.freedesktop.Application\">");
    for (const Method &method : kMethods) {
        text += QStringLiteral("<method name=\"%1\">").arg(method.name);
        for (const Argument &argument : method.takes)
            text += QStringLiteral("<arg type=\"%1\" name=\"%2\" direction=\"in\"/>")
                        .arg(argument.signature, argument.name);
        text += QStringLiteral("</method>");
    }
    return text + QStringLiteral("</interface>");
}

} // namespace calendario
