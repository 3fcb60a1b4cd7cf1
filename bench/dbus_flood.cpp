// What a flood of D-Bus activations leaves behind in the calendar: starts the real program
// under a private Xvfb on a private dbus-daemon (never the user's bus), sends it Activate
// calls, each with distinct large tokens in its platform data, and prints its private memory
// (Private_Dirty and Anonymous of /proc/PID/smaps_rollup) before and after. Ends with 1 when
// the private memory grew by more than 1 MiB.
//
//   dbus_flood [CALLS [TOKEN_BYTES [CALENDARIO]]]      (default 10000 calls of 102400 bytes)
#include <cstdio>
#include <cstdlib>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QVariantMap>

namespace {

const QString kName = QStringLiteral(CALENDARIO_APP_ID);
const QString kPath =
    QStringLiteral("/") + QString(kName).replace(QLatin1Char('.'), QLatin1Char('/'));
const QString kInterface = QStringLiteral("org.freedesktop.Application");
// Calls in flight at a time: enough to keep the bus busy, few enough to bound the queue.
constexpr int kBatch = 50;

struct Memory
{
    double privateDirty = 0; // MiB
    double anonymous = 0; // MiB
};

// The smaps_rollup fields, in kB, as mebibytes.
Memory memoryOf(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    Memory memory;
    if (!file.open(QIODevice::ReadOnly))
        return memory;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        const double mebibytes = fields[1].toDouble() / 1024;
        if (fields[0] == "Private_Dirty:")
            memory.privateDirty = mebibytes;
        else if (fields[0] == "Anonymous:")
            memory.anonymous = mebibytes;
    }
    return memory;
}

// The first line a started program writes, such as the address or display it chose.
QString firstLine(QProcess &process)
{
    if (!process.waitForStarted(5000))
        return {};
    while (!process.canReadLine())
        if (!process.waitForReadyRead(10000))
            return {};
    return QString::fromLocal8Bit(process.readLine()).trimmed();
}

QDBusMessage activation(const QString &token)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kName, kPath, kInterface, QStringLiteral("Activate"));
    call << QVariantMap{{QStringLiteral("activation-token"), token},
                        {QStringLiteral("desktop-startup-id"), token}};
    return call;
}

// Sends the calls, kBatch at a time; how many were answered with success.
int flood(QDBusConnection &bus, int calls, int tokenBytes)
{
    int answered = 0;
    for (int sent = 0; sent < calls;) {
        QList<QDBusPendingCall> batch;
        for (int i = 0; i < kBatch && sent < calls; ++i, ++sent) {
            // Each token distinct: a program that keeps each one grows by each one.
            QString token(tokenBytes, QLatin1Char('a' + sent % 26));
            token.replace(0, 10, QStringLiteral("%1").arg(sent, 10, 10, QLatin1Char('0')));
            batch << bus.asyncCall(activation(token), 30000);
        }
        for (QDBusPendingCall &call : batch) {
            call.waitForFinished();
            answered += call.isError() ? 0 : 1;
        }
    }
    return answered;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int calls = arguments.value(1, QStringLiteral("10000")).toInt();
    const int tokenBytes = arguments.value(2, QStringLiteral("102400")).toInt();
    const QString program = arguments.value(3, QStringLiteral(CALENDARIO_BINARY));

    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--nofork"),
                  QStringLiteral("--print-address=1")});
    const QString address = firstLine(daemon);
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("1280x800x24")});
    const QString display = firstLine(xvfb);
    if (address.isEmpty() || display.isEmpty()) {
        std::fputs("dbus_flood: dbus-daemon or Xvfb did not start\n", stderr);
        return 2;
    }

    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    environment.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess calendar;
    calendar.setProcessEnvironment(environment);
    calendar.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    calendar.start(program, {});

    QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("flood"));
    QElapsedTimer waited;
    waited.start();
    while (!bus.interface()->isServiceRegistered(kName) && waited.elapsed() < 20000)
        QThread::msleep(50);
    if (!calendar.waitForStarted() || !bus.interface()->isServiceRegistered(kName)) {
        std::fputs("dbus_flood: the calendar did not claim its name\n", stderr);
        return 2;
    }
    // A first round settles what the first activations allocate once and keep by design.
    flood(bus, 2 * kBatch, tokenBytes);
    QThread::msleep(500);
    const Memory before = memoryOf(calendar.processId());

    QElapsedTimer took;
    took.start();
    const int answered = flood(bus, calls, tokenBytes);
    const double seconds = double(took.elapsed()) / 1000;
    QThread::msleep(500);
    const Memory after = memoryOf(calendar.processId());

    std::printf("dbus_flood: %d Activate calls, each with two distinct %d-byte tokens, in %.1f s; "
                "%d answered with success\n",
                calls, tokenBytes, seconds, answered);
    std::printf("dbus_flood: Private_Dirty %.1f MiB -> %.1f MiB (%+.2f MiB); "
                "Anonymous %.1f MiB -> %.1f MiB (%+.2f MiB)\n",
                before.privateDirty, after.privateDirty, after.privateDirty - before.privateDirty,
                before.anonymous, after.anonymous, after.anonymous - before.anonymous);
    calendar.kill();
    calendar.waitForFinished();
    xvfb.terminate();
    daemon.terminate();
    xvfb.waitForFinished();
    daemon.waitForFinished();
    return after.privateDirty - before.privateDirty <= 1.0 ? 0 : 1;
}
