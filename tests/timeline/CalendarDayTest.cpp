#include "widget/timeline/CalendarDay.h"

#include "tests/support/TableFile.h"
#include "tests/timeline/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

TEST(OneDayEarlier, KeepsTheWallClockTimeAndFractionInTheUsersTimeZone) {
    auto rows =
        testing::readTableFile(TANDRY_SOURCE_DIR "/tests/timeline/data/one-day-earlier.tsv");
    ASSERT_GT(rows.size(), 8u);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fields[0]);
        ASSERT_EQ(row.fields.size(), 4u);
        testing::ScopedTimeZone zone(row.fields[1]);
        EXPECT_EQ(oneDayEarlier(parseDateText(row.fields[2]).value()),
                  parseDateText(row.fields[3]));
    }
}

} // namespace
} // namespace tandry
