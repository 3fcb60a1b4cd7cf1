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

// Reads a call of `method` with its arguments as QtDBus hands them over once the arrays are
// turned into Qt's own types: a{sv} into QVariantMap, av into QVariantList, as into
// QStringList. Of the platform data, only the tokens are read. Needs no bus.
CallReading readApplicationCall(QStringView method, const QVariantList &arguments);

} // namespace calendario
