#include "window/day_watch.h"

namespace calendario {

namespace {
// Past midnight by a little, so that a timer running a hair early still finds the new day.
constexpr std::chrono::milliseconds kPastMidnight{50};
}  // namespace

DayWatch::DayWatch(const Clock& clock, std::chrono::milliseconds recheck, QObject* parent)
    : QObject(parent), clock_(clock), known_(clock.today()), midnight_(this), recheck_(this)
{
    midnight_.setSingleShot(true);
    midnight_.setTimerType(Qt::PreciseTimer);
    connect(&midnight_, &QTimer::timeout, this, &DayWatch::lookNow);
    recheck_.setTimerType(Qt::VeryCoarseTimer);
    connect(&recheck_, &QTimer::timeout, this, &DayWatch::lookNow);
    recheck_.start(recheck);
    aimAtMidnight();
}

void DayWatch::lookNow()
{
    const Date today = clock_.today();
    if (today != known_) {
        known_ = today;
        emit dayChanged();
    }
    aimAtMidnight();
}

void DayWatch::aimAtMidnight()
{
    const LocalTime now = clock_.now();
    const auto tomorrow = std::chrono::floor<std::chrono::days>(now) + std::chrono::days{1};
    midnight_.start(std::chrono::duration_cast<std::chrono::milliseconds>(tomorrow - now) + kPastMidnight);
}

}  // namespace calendario
