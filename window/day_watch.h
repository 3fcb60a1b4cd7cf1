#pragma once

#include <chrono>

#include <QObject>
#include <QTimer>

#include "calendar/clock.h"

namespace calendario {

// Tells when the local date changes while the program runs. A timer aimed just past the
// next midnight catches the usual change; a look at the clock every `recheck` catches a
// clock set forward or back and a resume from suspend. Between the two the program sleeps.
class DayWatch : public QObject {
    Q_OBJECT

public:
    DayWatch(const Clock& clock, std::chrono::milliseconds recheck, QObject* parent);

    // Looks at the clock now, as the minute's look does.
    void lookNow();

signals:
    void dayChanged();

private:
    void aimAtMidnight();

    const Clock& clock_;
    Date known_;
    QTimer midnight_;
    QTimer recheck_;
};

}  // namespace calendario
