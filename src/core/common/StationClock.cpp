#include "core/common/StationClock.h"

#include <ctime>

bool SystemClockSetter::setLocalTime(const QDateTime& t) {
    const qint64 ms = t.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ms / 1000);
    ts.tv_nsec = static_cast<long>((ms % 1000) * 1000000);
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
}
