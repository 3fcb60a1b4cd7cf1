#pragma once

#include <chrono>

#include "calendar/date_services.h"

namespace calendario {

// The local date and time, to the millisecond.
using LocalTime = std::chrono::local_time<std::chrono::milliseconds>;

// Where today's date comes from. The calendar never keeps it: every use asks again.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
    Date today() const { return Date{std::chrono::floor<std::chrono::days>(now())}; }
};

// The computer's clock, in local time.
class SystemClock final : public Clock
{
public:
    LocalTime now() const override;
};

// A clock that stands still where it is set: at noon of a date, or at a given time.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(Date date) { set(date); }
    LocalTime now() const override { return now_; }
    void set(Date date) { now_ = std::chrono::local_days{date} + std::chrono::hours{12}; }
    void set(LocalTime time) { now_ = time; }

private:
    LocalTime now_;
};

} // namespace calendario
