#pragma once

#include <optional>

#include <QString>
#include <QStringView>
#include <QVariantList>

#include "app/single_instance.h"

namespace calendario {

// A call to the calendar's org.freedesktop.Application, read: the request it makes, or the
// D-Bus error to answer with and a message that names what was wrong.
struct CallReading
{
    std::optional<Request> request;
    QString error;
    QString message;
};

// A call to org.freedesktop.Application: its method and arguments.
struct ApplicationCall
{
    QString method;
    QVariantList arguments;
};

// The call that asks the calendar already open for `request`, with this start's tokens from
// the environment (X11's startup id, Wayland's activation token) as its platform data, for
// that calendar to come to the front with.
ApplicationCall applicationCallFor(const Request &request);

// The interface's description, for D-Bus introspection: the methods the reader takes.
QString applicationIntrospection();

// Reads a call of `method` with its arguments as QtDBus hands them over once the arrays are
// turned into Qt's own types: a{sv} into QVariantMap, av into QVariantList, as into
// QStringList. Of the platform data, only the tokens are read. Needs no bus.
CallReading readApplicationCall(QStringView method, const QVariantList &arguments);

} // namespace calendario
