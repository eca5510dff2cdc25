#include "widget/timeline/SnapshotLoader.h"

#include "tests/support/TemporaryDirectory.h"
#include "widget/store/PendingQueue.h"
#include "widget/store/SnapshotCodec.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tandry {
namespace {

using namespace std::chrono;
using Case = ReadyWidgetState::Case;
using testing::writeFile;

const std::string workedExample =
    R"({"validUntil":"2026-12-05T18:00:00Z","total":5,"tasks":[{"id":"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90","title":"Send the invoice","flowName":"Finance","dueDate":"2026-12-04T17:00:00Z","isOverdue":true,"isToday":false,"priorityRaw":"none"},{"id":"9B3E7F21-C8D4-4A6B-8E05-71F2A3C9D6E4","title":"Water the plants","flowName":"Home","isOverdue":false,"isToday":true,"priorityRaw":"none"}],"paletteRaw":"green"})";

Instant at(const char* text) {
    return *parseDateText(text);
}

class SnapshotLoading : public ::testing::Test {
protected:
    std::filesystem::path snapshotFile() const { return container.path() / snapshotFileName; }

    testing::TemporaryDirectory container;
};

TEST_F(SnapshotLoading, JudgesTheEntryByItsDateAgainstValidUntil) {
    writeFile(snapshotFile(), workedExample);
    PendingCompletion tick{Uuid::random(), *parseUuidText("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90"),
                           at("2026-12-05T10:00:00Z")};
    ASSERT_TRUE(parkPendingCompletion(tick, container.path()).has_value());
    // A live snapshot shows the parked tick: one task and the total one lower.
    auto overlaid = *decodeSnapshot(workedExample);
    overlaid.tasks.erase(overlaid.tasks.begin());
    overlaid.total = 4;
    struct Row {
        const char* why;
        Instant date;
        ReadyWidgetState state;
    };
    const Row rows[] = {
        {"a microsecond before", at("2026-12-05T18:00:00Z") - microseconds{1},
         ReadyWidgetState::ready(overlaid)},
        {"at validUntil", at("2026-12-05T18:00:00Z"), ReadyWidgetState::stale()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(loadEntry(row.date, container.path()), (ReadyWidgetEntry{row.date, row.state}));
    }
}

TEST_F(SnapshotLoading, ReadsOnlyARegularFileOfSaneSizeThatDecodes) {
    auto file = snapshotFile();
    struct Row {
        const char* why;
        std::function<void()> lay;
        Case expected;
    };
    const Row rows[] = {
        {"no file", [] {}, Case::waitingForApp},
        {"a file that does not decode", [&] { writeFile(file, "{}"); }, Case::waitingForApp},
        // A FIFO must not block the load.
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0); }, Case::waitingForApp},
        {"a directory", [&] { std::filesystem::create_directory(file); }, Case::waitingForApp},
        {"a link to a device", [&] { std::filesystem::create_symlink("/dev/zero", file); },
         Case::waitingForApp},
        // A sparse file beyond the limit is refused without reading its bytes.
        {"a file beyond 64 MiB",
         [&] {
             writeFile(file, workedExample);
             std::filesystem::resize_file(file, 65 * 1024 * 1024);
         },
         Case::waitingForApp},
        {"a link to a snapshot",
         [&] {
             writeFile(container.path() / "real.json", workedExample);
             std::filesystem::create_symlink(container.path() / "real.json", file);
         },
         Case::ready},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        std::filesystem::remove_all(file);
        row.lay();
        EXPECT_EQ(loadEntry(at("2026-12-05T09:00:00Z"), container.path()).state.kind(),
                  row.expected);
    }
}

} // namespace
} // namespace tandry
