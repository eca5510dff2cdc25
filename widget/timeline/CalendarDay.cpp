#include "widget/timeline/CalendarDay.h"

#include <cmath>
#include <memory>
#include <unicode/calendar.h>

namespace tandry {

std::optional<Instant> oneDayEarlier(Instant instant) {
    using namespace std::chrono;

    // 1. ICU counts in milliseconds; the microseconds below are carried over
    //    unchanged, since a calendar day moves whole milliseconds.
    auto wholeMilliseconds = floor<milliseconds>(instant);
    auto remainder = instant - wholeMilliseconds;

    // 2. The user's calendar in the default time zone, moved back one day
    //    with add(), which carries into month and year instead of wrapping.
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(status));
    if (U_FAILURE(status) || !calendar) {
        return std::nullopt;
    }
    calendar->setTime(static_cast<UDate>(wholeMilliseconds.time_since_epoch().count()), status);
    calendar->add(UCAL_DATE, -1, status);
    UDate earlier = calendar->getTime(status);
    if (U_FAILURE(status) || !std::isfinite(earlier)) {
        return std::nullopt;
    }

    // 3. Back to an instant, with the microseconds of step 1.
    return Instant{milliseconds{static_cast<milliseconds::rep>(std::llround(earlier))}} + remainder;
}

} // namespace tandry
