#pragma once

#include "widget/system/Instant.h"

#include <optional>

namespace tandry {

// The instant one calendar day before `instant` in the user's time zone (TZ,
// else the system's): the same wall-clock time on the day before, so across a
// change to or from daylight saving time the distance is 23 or 25 hours.
// Every calendar counts the same days, so the C library's is the user's here.
// Absent when the C library cannot compute it.
std::optional<Instant> oneDayEarlier(Instant instant);

} // namespace tandry
