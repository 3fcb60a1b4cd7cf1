#include "app/activation_token.h"

#include <array>
#include <cstdlib>
#include <cstring>

#include <QByteArray>

#include "app/single_instance.h"

namespace calendario {
#ifdef Q_OS_UNIX
namespace {

// "XDG_ACTIVATION_TOKEN=" and the token, as the environment holds it. Only the main thread,
// which answers requests, writes it.
std::array<char, sizeof(kActivationTokenVariable) + kMaxActivationTokenBytes + 1> entry;

} // namespace
#endif

ActivationToken::ActivationToken(const QString &token)
{
#ifdef Q_OS_UNIX
    if (!usableActivationToken(token))
        return;
    // Out of the environment while it is written.
    unsetenv(kActivationTokenVariable);
    const QByteArray text = QByteArray(kActivationTokenVariable) + '=' + token.toLatin1();
    std::memcpy(entry.data(), text.constData(), std::size_t(text.size()) + 1);
    set_ = putenv(entry.data()) == 0;
#else
    Q_UNUSED(token);
#endif
}

ActivationToken::~ActivationToken()
{
#ifdef Q_OS_UNIX
    // A token serves one activation: none is left for the next, nor for any program started.
    if (set_)
        unsetenv(kActivationTokenVariable);
#endif
}

} // namespace calendario
