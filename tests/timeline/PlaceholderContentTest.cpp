#include "widget/timeline/PlaceholderContent.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/support/SettableClock.h"
#include "tests/timeline/ScopedTimeZone.h"
#include "widget/store/SnapshotCodec.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>

namespace tandry {
namespace {

using namespace std::chrono;
using testing::SettableClock;

Instant utc(int y, unsigned m, unsigned d, int hh, int mm) {
    return Instant{sys_days{year{y} / month{m} / day{d}} + hours{hh} + minutes{mm}};
}

// Which texts the sample card shows in each language is the catalogs' business
// (WidgetStringsTest); here is everything else about it.
TEST(PlaceholderSnapshot, IsTheSampleCardWithFreshIdsAndADueDateFromTheClock) {
    testing::ScopedTimeZone zone("UTC");
    testing::ScopedLanguage language("en");
    SettableClock clock(utc(2026, 12, 5, 9, 30));
    auto first = placeholderSnapshot(clock);
    std::ifstream file(TANDRY_SOURCE_DIR "/tests/timeline/data/placeholder-snapshot.json");
    const std::string json{std::istreambuf_iterator<char>(file), {}};
    ReadySnapshot expected = decodeSnapshot(json).value();

    auto second = placeholderSnapshot(clock);
    std::set<Uuid> ids;
    for (std::size_t i = 0; i < expected.tasks.size(); ++i) {
        ids.insert(first.tasks.at(i).id);
        ids.insert(second.tasks.at(i).id);
        expected.tasks[i].id = first.tasks[i].id;
    }
    EXPECT_EQ(first, expected);
    EXPECT_EQ(ids.size(), 8u) << "every task of every card needs an id of its own";

    SettableClock later(utc(2027, 1, 1, 0, 0));
    EXPECT_EQ(placeholderSnapshot(later).tasks[0].dueDate, utc(2026, 12, 31, 0, 0));
}

} // namespace
} // namespace tandry
