#include "calendar/clock.h"

#include <QDateTime>

namespace calendario {

LocalTime SystemClock::now() const
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    using namespace std::chrono;
    const local_days day{year{date.year()} / date.month() / date.day()};
    return day + milliseconds{now.time().msecsSinceStartOfDay()};
}

} // namespace calendario
