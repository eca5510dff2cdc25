#include "widget/store/Instant.h"

#include <fmt/format.h>
#include <fstream>
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
    std::ifstream in(TANDRY_SOURCE_DIR "/tests/store/data/date-text.txt");
    int rows = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        auto tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        auto text = line.substr(0, tab);
        SCOPED_TRACE("\"" + text + "\"");
        auto instant = parseDateText(text);
        EXPECT_EQ(instant ? microsecondText(*instant) : "rejected", line.substr(tab + 1));
        ++rows;
    }
    EXPECT_GT(rows, 30);
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
