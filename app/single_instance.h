#pragma once

#include <algorithm>
#include <memory>
#include <optional>

#include <QObject>
#include <QString>
#include <QStringView>

#include "calendar/date_services.h"

class QWidget;

namespace calendario {

// What a later start of the calendar asks of the one that runs, read and checked where it
// came in.
struct Request
{
    enum class Kind { Activate, Close, ShowDate };
    Kind kind = Kind::Activate;
    // For ShowDate: a day of the calendar's years.
    std::optional<Date> date;
    // The launcher's token for the window to come to the front with, printable ASCII of at
    // most kMaxActivationTokenBytes; empty when none came.
    QString activationToken;

    friend bool operator==(const Request &, const Request &) = default;
};

// The calendar's actions, as a later start names them over D-Bus and in a window message.
inline constexpr char kCloseAction[] = "close";
inline constexpr char kShowDateAction[] = "show-date";

// Longer than any token a desktop hands out (they are tens of characters): a longer one is
// ignored.
inline constexpr qsizetype kMaxActivationTokenBytes = 1024;

// Whether a token from outside is one to come to the front with: printable ASCII, neither
// empty nor longer than kMaxActivationTokenBytes.
inline bool usableActivationToken(QStringView token)
{
    return !token.isEmpty() && token.size() <= kMaxActivationTokenBytes
        && std::all_of(token.begin(), token.end(),
                       [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7f; });
}

// One calendar at a time. The first start claims the calendar's name, on Linux on the D-Bus
// session bus as desktops expect (org.freedesktop.Application under the desktop entry's
// name), on Windows as a named mutex; a later start hands its request to the calendar that
// holds the name and ends. The claim runs beside the window being built, so that the first
// start is no slower for it.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Claim {
        First, // this is the one calendar; later starts' requests come by `requested`
        HandedOver, // another calendar took the request
        Alone, // no way to tell (no session bus): this calendar runs, as any
    };

    // Starts claiming the name; `request` is what a calendar already running is to do.
    static std::unique_ptr<SingleInstance> start(const Request &request);
    ~SingleInstance() override = default;

    // Waits for the claim to end.
    virtual Claim claim() = 0;
    // The window that later starts ask for, once it is built.
    virtual void serve(QWidget *window) { Q_UNUSED(window); }

signals:
    void requested(const calendario::Request &request);

protected:
    SingleInstance() = default;
};

} // namespace calendario
