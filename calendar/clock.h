#pragma once

#include "calendar/date_services.h"

namespace calendario {

// Where today's date comes from. The calendar never keeps it: every use asks again, so a
// window left open over midnight shows the new day at its next redraw.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Date today() const = 0;
};

// Today's date on the computer's clock, in local time.
class SystemClock final : public Clock {
public:
    Date today() const override;
};

// A clock that stands still on a date of one's choosing.
class FixedClock final : public Clock {
public:
    explicit FixedClock(Date date) : date_(date) {}
    Date today() const override { return date_; }
    void set(Date date) { date_ = date; }

private:
    Date date_;
};

}  // namespace calendario
