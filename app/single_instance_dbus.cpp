// One calendar at a time over the D-Bus session bus: the calendar's well-known name is its
// desktop entry's, and the object at its path implements org.freedesktop.Application.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QThread>
#include <QVariantMap>

#include "app/single_instance.h"

namespace calendario {
namespace {

const QString kName = QStringLiteral(CALENDARIO_APP_ID);
const QString kPath =
    QStringLiteral("/") + QString(kName).replace(QLatin1Char('.'), QLatin1Char('/'));
const QString kInterface = QStringLiteral("org.freedesktop.Application");

// Tokens that let the calendar that takes a request come to the front: X11's startup
// notification and Wayland's activation.
QVariantMap platformData()
{
    QVariantMap data;
    if (const QByteArray id = qgetenv("DESKTOP_STARTUP_ID"); !id.isEmpty())
        data.insert(QStringLiteral("desktop-startup-id"), QString::fromUtf8(id));
    if (const QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN"); !token.isEmpty())
        data.insert(QStringLiteral("activation-token"), QString::fromUtf8(token));
    return data;
}

// The tokens a request brought, for the window to come to the front with.
void takePlatformData(const QVariantMap &data)
{
    if (const QString id = data.value(QStringLiteral("desktop-startup-id")).toString();
        !id.isEmpty())
        qputenv("DESKTOP_STARTUP_ID", id.toUtf8());
    if (const QString token = data.value(QStringLiteral("activation-token")).toString();
        !token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
}

class DBusInstance;

// The calendar's object on the bus. Its actions: "close", and "show-date" with a date as
// YYYY-MM-DD.
class ApplicationObject : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit ApplicationObject(SingleInstance *instance) : instance_(instance) { }

public slots:
    void Activate(const QVariantMap &platformData)
    {
        takePlatformData(platformData);
        emit instance_->requested({Request::Kind::Activate, {}});
    }

    void Open(const QStringList &, const QVariantMap &platformData) { Activate(platformData); }

    void ActivateAction(const QString &name, const QVariantList &parameter,
                        const QVariantMap &platformData)
    {
        takePlatformData(platformData);
        if (name == QLatin1String("close"))
            emit instance_->requested({Request::Kind::Close, {}});
        else if (name == QLatin1String("show-date") && parameter.size() == 1)
            emit instance_->requested({Request::Kind::ShowDate, parameter.front().toString()});
    }

private:
    SingleInstance *instance_;
};

class DBusInstance final : public SingleInstance
{
public:
    explicit DBusInstance(const Request &request) : request_(request), object_(this)
    {
        worker_.reset(QThread::create([this] { claim_ = claimName(); }));
        worker_->start();
    }

    ~DBusInstance() override { worker_->wait(); }

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
        bus.registerObject(kPath, &object_, QDBusConnection::ExportAllSlots);
        constexpr uint doNotQueue = 4, primaryOwner = 1;
        const QDBusMessage owner =
            bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                    QStringLiteral("/org/freedesktop/DBus"),
                                                    QStringLiteral("org.freedesktop.DBus"),
                                                    QStringLiteral("RequestName"))
                     << kName << doNotQueue);
        if (owner.type() != QDBusMessage::ReplyMessage)
            return Claim::Alone;
        if (owner.arguments().value(0).toUInt() == primaryOwner)
            return Claim::First;
        bus.unregisterObject(kPath);
        const QDBusMessage reply = bus.call(requestMessage(), QDBus::Block, 10000);
        return reply.type() == QDBusMessage::ReplyMessage ? Claim::HandedOver : Claim::Alone;
    }

    QDBusMessage requestMessage() const
    {
        const auto call = [](const char *method) {
            return QDBusMessage::createMethodCall(kName, kPath, kInterface,
                                                  QString::fromLatin1(method));
        };
        switch (request_.kind) {
        case Request::Kind::Close:
            return call("ActivateAction")
                << QStringLiteral("close") << QVariantList() << platformData();
        case Request::Kind::ShowDate:
            return call("ActivateAction")
                << QStringLiteral("show-date") << QVariantList{request_.date} << platformData();
        case Request::Kind::Activate:
            break;
        }
        return call("Activate") << platformData();
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

#include "single_instance_dbus.moc"
