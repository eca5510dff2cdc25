#include "tests/support/TableFile.h"
#include "widget/store/PendingCompletion.h"
#include "widget/store/ReadySnapshot.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tandry {
namespace {

// Items and ticks named by task number: the number is the last byte of the id.
std::vector<ReadySnapshot::Item> items(const std::string& text) {
    std::istringstream in(text);
    std::vector<ReadySnapshot::Item> result;
    for (int n; in >> n;) {
        Uuid id;
        id.bytes[15] = static_cast<std::uint8_t>(n);
        result.push_back({.id = id, .title = "Task " + std::to_string(n)});
    }
    return result;
}

TEST(ApplyingPending, RemovesTickedItemsAndLowersTheTotal) {
    auto rows = testing::readTableFile(TANDRY_SOURCE_DIR "/tests/store/data/applying-pending.tsv");
    ASSERT_GT(rows.size(), 8u);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fields[0]);
        ASSERT_EQ(row.fields.size(), 6u);
        ReadySnapshot snapshot{.total = std::stoll(row.fields[1]),
                               .tasks = items(row.fields[2]),
                               .paletteRaw = "green",
                               .emptyReason = "allDone"};
        const auto original = snapshot;
        std::vector<PendingCompletion> pending;
        for (const auto& tick : items(row.fields[3])) {
            pending.push_back({.id = Uuid::random(), .taskID = tick.id});
        }
        auto expected = snapshot;
        expected.total = std::stoll(row.fields[4]);
        expected.tasks = items(row.fields[5]);
        EXPECT_EQ(snapshot.applyingPending(pending), expected);
        EXPECT_EQ(snapshot, original) << "the input must stay unchanged";
    }
}

} // namespace
} // namespace tandry
