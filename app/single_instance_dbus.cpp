// One calendar at a time over the D-Bus session bus: the calendar's well-known name is its
// desktop entry's, and the object at its path implements org.freedesktop.Application.
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QThread>
#include <QVariantMap>

#include "app/application_call.h"
#include "app/request_date.h"
#include "app/single_instance.h"
#include "calendar/date_format.h"

namespace calendario {
namespace {

const QString kName = QStringLiteral(CALENDARIO_APP_ID);
const QString kPath =
    QStringLiteral("/") + QString(kName).replace(QLatin1Char('.'), QLatin1Char('/'));
const QString kInterface = QStringLiteral("org.freedesktop.Application");
#ifdef __GLIBC__
// glibc's own first threshold, kept.
constexpr int kOwnMappingBytes = 128 * 1024;
#endif

// An argument as QtDBus hands it over, with the arrays the calendar's methods take turned
// into Qt's own types; any other left as it came, for the reader to refuse.
QVariant natural(const QVariant &argument)
{
    if (argument.metaType() != QMetaType::fromType<QDBusArgument>())
        return argument;
    const auto array = argument.value<QDBusArgument>();
    const QString signature = array.currentSignature();
    if (signature == QLatin1String("a{sv}"))
        return qdbus_cast<QVariantMap>(array);
    if (signature == QLatin1String("av"))
        return qdbus_cast<QVariantList>(array);
    return argument;
}

// The calendar's object on the bus. Every call to org.freedesktop.Application is read whole
// before anything is done: one that asks for what the calendar cannot do is answered with an
// error, and changes nothing.
class ApplicationObject : public QDBusVirtualObject
{
public:
    explicit ApplicationObject(SingleInstance *instance) : instance_(instance) { }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        // Introspection and the rest are QtDBus's.
        if (message.type() != QDBusMessage::MethodCallMessage || message.interface() != kInterface)
            return false;
        QVariantList arguments;
        for (const QVariant &argument : message.arguments())
            arguments << natural(argument);
        const CallReading reading = readApplicationCall(message.member(), arguments);
        if (!reading.request) {
            connection.send(message.createErrorReply(reading.error, reading.message));
            return true;
        }
        connection.send(message.createReply());
        // Answered from the event loop, as any event.
        QMetaObject::invokeMethod(
            instance_,
            [instance = instance_, asked = *reading.request] { emit instance->requested(asked); },
            Qt::QueuedConnection);
        return true;
    }

    QString introspect(const QString &) const override { return applicationIntrospection(); }

private:
    SingleInstance *instance_;
};

class DBusInstance final : public SingleInstance
{
public:
    explicit DBusInstance(const Request &request) : request_(request), object_(this)
    {
#ifdef __GLIBC__
        // A call as large as the bus lets through is given back to the system once read.
        // glibc's threshold for giving a block a mapping of its own would otherwise rise to
        // the largest block freed so far, and its heaps would keep blocks of that size from
        // then on: megabytes more, after a few large calls, for good.
        mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
#endif
        worker_.reset(QThread::create([this] { claim_ = claimName(); }));
        worker_->start();
    }

    ~DBusInstance() override
    {
        worker_->wait();
    }

    Claim claim() override
    {
        worker_->wait();
        return claim_;
    }

private:
    // On the worker thread: connect, offer the object, and ask for the name; when another
    // calendar holds it, hand it the request.
    Claim claimName()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return Claim::Alone;
        bus.registerVirtualObject(kPath, &object_);
        constexpr uint doNotQueue = 4, primaryOwner = 1;
        const QDBusMessage owner =
            bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                    QStringLiteral("/org/freedesktop/DBus"),
                                                    QStringLiteral("org.freedesktop.DBus"),
                                                    QStringLiteral("RequestName"))
                     << kName << doNotQueue);
        // A bus that refuses the name: this calendar runs alone, and takes no calls.
        if (owner.type() != QDBusMessage::ReplyMessage) {
            bus.unregisterObject(kPath);
            return Claim::Alone;
        }
        if (owner.arguments().value(0).toUInt() == primaryOwner)
            return Claim::First;
        bus.unregisterObject(kPath);
        const QDBusMessage reply = bus.call(requestMessage(), QDBus::Block, 10000);
        return reply.type() == QDBusMessage::ReplyMessage ? Claim::HandedOver : Claim::Alone;
    }

    QDBusMessage requestMessage() const
    {
        const ApplicationCall call = applicationCallFor(request_);
        QDBusMessage message =
            QDBusMessage::createMethodCall(kName, kPath, kInterface, call.method);
        message.setArguments(call.arguments);
        return message;
    }

    const Request request_;
    ApplicationObject object_;
    std::unique_ptr<QThread> worker_;
    Claim claim_ = Claim::Alone;
};

} // namespace

std::unique_ptr<SingleInstance> SingleInstance::start(const Request &request)
{
    return std::make_unique<DBusInstance>(request);
}

} // namespace calendario
