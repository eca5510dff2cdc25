#include "widget/store/Instant.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using namespace std::chrono;

Instant utc(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
    return Instant{sys_days{year{y} / month{m} / day{d}} + hours{hh} + minutes{mm} + seconds{ss}};
}

TEST(DateText, ReadsTheWrittenForm) {
    EXPECT_EQ(parseDateText("2026-12-05T18:00:00Z"), utc(2026, 12, 5, 18, 0, 0));
}

TEST(DateText, ReadsTheAcceptedVariants) {
    struct Row {
        const char* text;
        Instant expected;
    };
    const Row rows[] = {
        {"2026-12-05t18:00:00z", utc(2026, 12, 5, 18, 0, 0)},
        {"2026-12-05T19:30:00+01:30", utc(2026, 12, 5, 18, 0, 0)},
        {"2026-12-05T13:00:00-05:00", utc(2026, 12, 5, 18, 0, 0)},
        {"2026-12-05T18:00:00.5Z", utc(2026, 12, 5, 18, 0, 0) + milliseconds{500}},
        {"2026-12-05T18:00:00.123456789Z", utc(2026, 12, 5, 18, 0, 0) + microseconds{123456}},
        {"2024-02-29T00:00:00Z", utc(2024, 2, 29, 0, 0, 0)},
        {"0000-01-01T00:00:00Z", utc(0, 1, 1, 0, 0, 0)},
        {"9999-12-31T23:59:59Z", utc(9999, 12, 31, 23, 59, 59)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(parseDateText(row.text), row.expected);
    }
}

TEST(DateText, RejectsEverythingElse) {
    const char* rows[] = {
        "",
        "2026-12-05",
        "2026-12-05T18:00:00",  // no zone
        "2026-12-05 18:00:00Z", // space for T
        "2026-02-30T00:00:00Z", // no such day
        "2025-02-29T00:00:00Z", // not a leap year
        "2026-13-01T00:00:00Z",
        "2026-00-01T00:00:00Z",
        "2026-12-05T24:00:00Z", // hour 24
        "2026-12-05T18:60:00Z",
        "2026-12-05T18:00:60Z",  // leap second
        "2026-12-05T18:00:00.Z", // empty fraction
        "2026-12-05T18:00:00+0100",
        "2026-12-05T18:00:00+24:00",
        "2026-12-05T18:00:00+01:60",
        "2026-12-05T18:00:00ZZ",
        "2026-12-05T18:00:00Z ",
        "+2026-12-05T18:00:00Z",
        "26-12-05T18:00:00Z",
        "2026-1-05T18:00:00Z",
        "２026-12-05T18:00:00Z",
        "0000-01-01T00:00:00+00:01", // before year 0 in UTC
        "9999-12-31T23:59:59-00:01", // after year 9999 in UTC
    };
    for (const char* text : rows) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseDateText(text).has_value());
    }
}

TEST(DateText, WritesWholeSecondsInUtc) {
    EXPECT_EQ(formatDateText(utc(2026, 12, 5, 9, 15, 42) + milliseconds{999}),
              "2026-12-05T09:15:42Z");
    EXPECT_EQ(formatDateText(utc(7, 1, 2, 3, 4, 5)), "0007-01-02T03:04:05Z");
    EXPECT_FALSE(formatDateText(utc(10000, 1, 1, 0, 0, 0)).has_value());
    EXPECT_FALSE(formatDateText(utc(-1, 12, 31, 23, 59, 59)).has_value());
}

TEST(DateText, DistantFutureIsTheStartOf4001) {
    EXPECT_EQ(formatDateText(distantFuture()), "4001-01-01T00:00:00Z");
}

} // namespace
} // namespace tandry
