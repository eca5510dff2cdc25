#include "widget/timeline/CalendarDay.h"

#include <cerrno>
#include <ctime>

namespace tandry {

std::optional<Instant> oneDayEarlier(Instant instant) {
    using namespace std::chrono;

    // 1. The C library counts in whole seconds; the fraction below is
    //    carried over unchanged, since a calendar day moves whole seconds.
    auto wholeSeconds = floor<seconds>(instant);
    auto remainder = instant - wholeSeconds;

    // 2. The wall-clock time in the time zone of TZ, read again for every
    //    call as a new process would.
    ::tzset();
    const std::time_t time = wholeSeconds.time_since_epoch().count();
    std::tm local{};
    if (::localtime_r(&time, &local) == nullptr) {
        return std::nullopt;
    }

    // 3. The same wall-clock time a day before: mktime carries the day into
    //    the month and year, and decides anew whether daylight saving time
    //    applies then, so across a change the distance is 23 or 25 hours.
    local.tm_mday -= 1;
    local.tm_isdst = -1;
    errno = 0;
    const std::time_t earlier = std::mktime(&local);
    if (earlier == static_cast<std::time_t>(-1) && errno != 0) {
        return std::nullopt;
    }

    // 4. Back to an instant, with the fraction of step 1.
    return Instant{seconds{earlier}} + remainder;
}

} // namespace tandry
