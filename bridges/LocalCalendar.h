#pragma once

#include "widget/system/Instant.h"

#include <optional>

namespace tandry {

// A date on the user's calendar, in the user's time zone (TZ, else the system's).
struct LocalDate {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const LocalDate&) const = default;
};

// The local date that `instant` falls on; absent when the C library cannot tell.
std::optional<LocalDate> localDateOf(Instant instant);

// A time of day on the user's calendar.
struct LocalTime {
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const LocalTime&) const = default;
};

// The instant at which the local clock shows `time` on `date` (a day past
// the month's end carries into the next month); absent when the C library
// cannot tell.
std::optional<Instant> localInstantOf(LocalDate date, LocalTime time = {});

// The first instant of the local day after the one `instant` falls on (a
// day may have 23 or 25 hours); absent when the C library cannot tell.
std::optional<Instant> nextLocalMidnight(Instant instant);

} // namespace tandry
