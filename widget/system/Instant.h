#pragma once

#include "widget/system/Error.h"

#include <chrono>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tandry {

// A point in time, exact to the microsecond. Microseconds keep the whole
// range of four-digit years (and the distant future of year 4001) in 64 bits.
using Instant = std::chrono::sys_time<std::chrono::microseconds>;

// The first instant of the year 4001 UTC: a validity that never runs out.
Instant distantFuture();

// The last whole second that date text can hold: 9999-12-31T23:59:59Z.
Instant lastWritableSecond();

// Reads RFC 3339 date text: "2026-12-05T18:00:00Z". Also accepted: a lower-case
// "t" or "z", a numeric offset ("+01:00", "-05:30"), and a fraction of a second
// of any length (kept to the microsecond, further digits cut off). Rejected:
// anything else, impossible dates (2026-02-30), hour 24, leap second 60, and
// instants whose UTC year falls outside 0000 to 9999, which no writer can emit.
Result<Instant> parseDateText(std::string_view text);

// Writes UTC date text with whole seconds, the fraction cut off:
// "2026-12-05T18:00:00Z". Fails for an instant outside the years 0000 to 9999.
Result<std::string> formatDateText(Instant instant);

std::ostream& operator<<(std::ostream& out, Instant instant);

} // namespace tandry
