#pragma once

#include "widget/store/Instant.h"

#include <optional>

namespace tandry {

// The instant one calendar day before `instant` in the user's calendar and
// time zone (ICU's defaults, from the locale and TZ): the same wall-clock time
// on the day before, so across a change to or from daylight saving time the
// distance is 23 or 25 hours. Absent when the calendar cannot compute it.
std::optional<Instant> oneDayEarlier(Instant instant);

} // namespace tandry
