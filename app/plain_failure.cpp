#include "app/plain_failure.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace calendario {
namespace {

constexpr int kFailureStatus = 1;

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler usualHandler = nullptr;
// Qt's messages about its platform, which say why no window could be opened.
std::vector<HeldMessage> held;

bool aboutThePlatform(const QMessageLogContext &context)
{
    return context.category && QByteArray(context.category).startsWith("qt.qpa");
}

// The cause in a few words: the platform's first complaint, else the first line of Qt's own.
QString cause(const QString &fatal)
{
    QString text = held.empty() ? fatal.section(QLatin1Char('\n'), 0, 0) : held.front().text;
    text = text.trimmed();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fflush(stdout);
        std::fprintf(stderr, "calendario: cannot open a window: %s\n", qPrintable(cause(text)));
        std::fflush(stderr);
        std::_Exit(kFailureStatus);
    }
    if (aboutThePlatform(context) && type != QtDebugMsg) {
        held.push_back({type, context.category, text});
        return;
    }
    usualHandler(type, context, text);
}

} // namespace

void sayFailuresPlainly()
{
    usualHandler = qInstallMessageHandler(handle);
}

void sayFailuresAsUsual()
{
    qInstallMessageHandler(usualHandler);
    for (const HeldMessage &message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        usualHandler(message.type, context, message.text);
    }
    held.clear();
}

} // namespace calendario
