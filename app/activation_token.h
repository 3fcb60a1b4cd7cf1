#pragma once

#include <QString>

namespace calendario {

// Where a launcher hands a Wayland program its token.
inline constexpr char kActivationTokenVariable[] = "XDG_ACTIVATION_TOKEN";

// While it lives, a launcher's token for the window coming to the front, where Qt's Wayland
// platform reads it as the window asks to be activated: the environment's
// XDG_ACTIVATION_TOKEN, which Qt removes once used. (Qt's X11 platform reads a startup id
// only as it connects.) The text lives in one buffer of kMaxActivationTokenBytes, written
// over by each request and put into the environment as it is, never copied: the C library
// keeps each value that setenv was given, for good, so that a value set per request would
// grow the calendar by each one. Does nothing for a token that is empty, too long or not
// printable ASCII, nor where the environment gives no such place (Windows).
class ActivationToken
{
public:
    explicit ActivationToken(const QString &token);
    ~ActivationToken();
    ActivationToken(const ActivationToken &) = delete;
    ActivationToken &operator=(const ActivationToken &) = delete;

private:
    bool set_ = false;
};

} // namespace calendario
