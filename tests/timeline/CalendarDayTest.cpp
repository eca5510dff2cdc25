#include "widget/timeline/CalendarDay.h"

#include "tests/timeline/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using namespace std::chrono;

Instant utc(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
    return Instant{sys_days{year{y} / month{m} / day{d}} + hours{hh} + minutes{mm} + seconds{ss}};
}

TEST(OneDayEarlier, KeepsTheWallClockTimeAndFractionInTheUsersTimeZone) {
    struct Row {
        const char* description;
        const char* zone;
        Instant instant;
        Instant expected;
    };
    const Row rows[] = {
        {"an ordinary day", "UTC", utc(2026, 12, 5, 9, 30, 0), utc(2026, 12, 4, 9, 30, 0)},
        {"across a month and a year", "UTC", utc(2026, 1, 1, 0, 30, 0),
         utc(2025, 12, 31, 0, 30, 0)},
        {"into a leap day", "UTC", utc(2028, 3, 1, 12, 0, 0), utc(2028, 2, 29, 12, 0, 0)},
        // 14:00 CEST on 29 March, the day clocks go forward, is 14:00 CET,
        // 13:00 UTC, on the 28th: 23 hours earlier.
        {"the day after the spring change", "Europe/Berlin", utc(2026, 3, 29, 12, 0, 0),
         utc(2026, 3, 28, 13, 0, 0)},
        // 13:00 CET on 25 October, the day clocks go back, is 13:00 CEST,
        // 11:00 UTC, on the 24th: 25 hours earlier.
        {"the day after the autumn change", "Europe/Berlin", utc(2026, 10, 25, 12, 0, 0),
         utc(2026, 10, 24, 11, 0, 0)},
        // Late evening in New York is already the next day in UTC.
        {"a zone behind UTC", "America/New_York", utc(2026, 3, 1, 2, 0, 0),
         utc(2026, 2, 28, 2, 0, 0)},
        {"a zone ahead of UTC", "Asia/Tokyo", utc(2026, 1, 1, 20, 0, 0),
         utc(2025, 12, 31, 20, 0, 0)},
        {"a fraction of a second", "UTC", utc(2026, 12, 5, 9, 30, 0) + microseconds{123456},
         utc(2026, 12, 4, 9, 30, 0) + microseconds{123456}},
        {"a fraction before 1970", "UTC", utc(1969, 7, 20, 20, 17, 40) + microseconds{999},
         utc(1969, 7, 19, 20, 17, 40) + microseconds{999}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.description);
        testing::ScopedTimeZone zone(row.zone);
        EXPECT_EQ(oneDayEarlier(row.instant), row.expected);
    }
}

} // namespace
} // namespace tandry
