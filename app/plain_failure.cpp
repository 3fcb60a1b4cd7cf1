#include "app/plain_failure.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "app/streams.h"
#include "calendar/runtime_error.h"

namespace calendario {
namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler usualHandler = nullptr;
// Qt's messages while it opens its platform, which say why no window could be opened.
// Qt's own threads (X11's and Wayland's event readers) may say something meanwhile too.
std::vector<HeldMessage> held;
std::mutex heldLock;

bool fromPluginLoader(const HeldMessage &message)
{
    return message.category == "qt.qpa.plugin";
}

// The cause in a few words: the platform's own last complaint ("could not connect to display
// :99"), else the plugin loader's ("Could not find the Qt platform plugin"), else the first
// line of Qt's fatal message.
QString cause(const QString &fatal)
{
    const std::lock_guard lock(heldLock);
    const auto own = std::find_if_not(held.rbegin(), held.rend(), fromPluginLoader);
    QString text = own != held.rend() ? own->text
        : held.empty()                ? fatal.section(QLatin1Char('\n'), 0, 0)
                                      : held.front().text;
    text = text.trimmed();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fflush(stdout);
        const QString line = QStringLiteral("calendario: cannot open a window: ") + cause(text);
        if (!showWhereNoStreamReaches(line, true))
            std::fprintf(stderr, "%s\n", qPrintable(line));
        std::fflush(stderr);
        std::_Exit(kFailureExitStatus);
    }
    if (type == QtDebugMsg) {
        usualHandler(type, context, text);
        return;
    }
    const std::lock_guard lock(heldLock);
    held.push_back({type, context.category, text});
}

} // namespace

void sayFailuresPlainly()
{
    usualHandler = qInstallMessageHandler(handle);
}

void sayFailuresAsUsual()
{
    qInstallMessageHandler(usualHandler);
    const std::lock_guard lock(heldLock);
    for (const HeldMessage &message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        usualHandler(message.type, context, message.text);
    }
    held.clear();
}

} // namespace calendario
