#include "widget/store/PendingCompletion.h"
#include "widget/store/ReadySnapshot.h"

#include <climits>
#include <gtest/gtest.h>

namespace tandry {
namespace {

Uuid idNumber(std::uint8_t n) {
    Uuid uuid;
    uuid.bytes[15] = n;
    return uuid;
}

ReadySnapshot::Item item(std::uint8_t n) {
    return {.id = idNumber(n), .title = "Task " + std::to_string(n)};
}

PendingCompletion tick(std::uint8_t task) {
    return {Uuid::random(), idNumber(task), Instant{}};
}

ReadySnapshot snapshotOf(std::int64_t total, std::vector<ReadySnapshot::Item> tasks) {
    return {Instant{}, total, std::move(tasks), "green", "allDone"};
}

TEST(ApplyingPending, RemovesTickedItemsAndLowersTheTotal) {
    struct Row {
        const char* name;
        std::int64_t total;
        std::vector<ReadySnapshot::Item> tasks;
        std::vector<PendingCompletion> pending;
        std::int64_t expectedTotal;
        std::vector<ReadySnapshot::Item> expectedTasks;
    };
    const Row rows[] = {
        {"no ticks, negative total", -2, {item(1), item(2)}, {}, -2, {item(1), item(2)}},
        {"one tick", 5, {item(1), item(2), item(3)}, {tick(2)}, 4, {item(1), item(3)}},
        {"two ticks of one task", 5, {item(1), item(2)}, {tick(2), tick(2)}, 4, {item(1)}},
        {"two items with one id", 5, {item(1), item(2), item(1)}, {tick(1)}, 3, {item(2)}},
        {"floor at zero",
         3,
         {item(1), item(2), item(3), item(4), item(5)},
         {tick(1), tick(2), tick(3), tick(5)},
         0,
         {item(4)}},
        {"unknown task", 4, {item(1)}, {tick(9)}, 4, {item(1)}},
        {"unknown task, negative total", -2, {item(1)}, {tick(9)}, 0, {item(1)}},
        {"lowest total", INT64_MIN, {item(1)}, {tick(1)}, 0, {}},
        {"highest total", INT64_MAX, {item(1), item(2)}, {tick(1), tick(2)}, INT64_MAX - 2, {}},
        {"keeps order",
         9,
         {item(4), item(1), item(3), item(2)},
         {tick(1)},
         8,
         {item(4), item(3), item(2)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto snapshot = snapshotOf(row.total, row.tasks);
        auto applied = snapshot.applyingPending(row.pending);
        EXPECT_EQ(applied.total, row.expectedTotal);
        EXPECT_EQ(applied.tasks, row.expectedTasks);
        EXPECT_EQ(applied.validUntil, snapshot.validUntil);
        EXPECT_EQ(applied.paletteRaw, "green");
        EXPECT_EQ(applied.emptyReason, "allDone");
        EXPECT_EQ(snapshot, snapshotOf(row.total, row.tasks)) << "the input must stay unchanged";
    }
}

} // namespace
} // namespace tandry
