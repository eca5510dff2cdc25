#include "widget/system/Instant.h"

#include "tests/support/TableFile.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

namespace tandry {
namespace {

using namespace std::chrono;

Instant utc(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
    return Instant{sys_days{year{y} / month{m} / day{d}} + hours{hh} + minutes{mm} + seconds{ss}};
}

// The instant to the microsecond; the written form keeps whole seconds only.
std::string microsecondText(Instant instant) {
    auto second = floor<seconds>(instant);
    return fmt::format("{}.{:06}Z", formatDateText(second)->substr(0, 19),
                       (instant - second).count());
}

TEST(DateText, ReadsExactlyTheFormsOfItsTable) {
    auto rows = testing::readTableFile(TANDRY_SOURCE_DIR "/tests/store/data/date-text.tsv");
    ASSERT_GT(rows.size(), 30u);
    for (const auto& row : rows) {
        SCOPED_TRACE(fmt::format("line {}: \"{}\"", row.line, row.fields[0]));
        ASSERT_EQ(row.fields.size(), 2u);
        auto instant = parseDateText(row.fields[0]);
        EXPECT_EQ(instant ? microsecondText(*instant) : "rejected", row.fields[1]);
    }
}

TEST(DateText, WritesWholeSecondsInUtc) {
    EXPECT_EQ(formatDateText(utc(2026, 12, 5, 9, 15, 42) + milliseconds{999}),
              "2026-12-05T09:15:42Z");
    EXPECT_EQ(formatDateText(utc(7, 1, 2, 3, 4, 5)), "0007-01-02T03:04:05Z");
    EXPECT_EQ(formatDateText(distantFuture()), "4001-01-01T00:00:00Z");
    EXPECT_FALSE(formatDateText(utc(10000, 1, 1, 0, 0, 0)).has_value());
    EXPECT_FALSE(formatDateText(utc(-1, 12, 31, 23, 59, 59)).has_value());
}

} // namespace
} // namespace tandry
