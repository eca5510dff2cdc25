#include "widget/timeline/SnapshotLoader.h"

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryDirectory.h"
#include "widget/store/PendingQueue.h"
#include "widget/store/SnapshotCodec.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tandry {
namespace {

using namespace std::chrono;
using testing::ScopedEnvironment;
using testing::TemporaryDirectory;
using testing::writeFile;

const std::string workedExample =
    R"({"validUntil":"2026-12-05T18:00:00Z","total":5,"tasks":[{"id":"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90","title":"Send the invoice","flowName":"Finance","dueDate":"2026-12-04T17:00:00Z","isOverdue":true,"isToday":false,"priorityRaw":"none"},{"id":"9B3E7F21-C8D4-4A6B-8E05-71F2A3C9D6E4","title":"Water the plants","flowName":"Home","isOverdue":false,"isToday":true,"priorityRaw":"none"}],"paletteRaw":"green"})";

Instant at(const char* text) {
    return *parseDateText(text);
}

class SnapshotLoading : public ::testing::Test {
protected:
    std::filesystem::path snapshotFile() const { return container.path() / "ready-snapshot.json"; }

    ReadyWidgetEntry load(const char* instant) { return loadEntry(at(instant), container.path()); }

    void tick(const char* taskID) {
        PendingCompletion completion{Uuid::random(), *parseUuidText(taskID),
                                     at("2026-12-05T10:00:00Z")};
        ASSERT_TRUE(parkPendingCompletion(completion, container.path()).has_value());
    }

    TemporaryDirectory container;
};

TEST_F(SnapshotLoading, WaitsWithoutAContainer) {
    TemporaryDirectory data;
    ScopedEnvironment dataHome("XDG_DATA_HOME", data.path().string());
    auto entry = loadEntry(at("2026-12-05T09:00:00Z"));
    EXPECT_EQ(entry,
              (ReadyWidgetEntry{at("2026-12-05T09:00:00Z"), ReadyWidgetState::waitingForApp()}));
}

TEST_F(SnapshotLoading, WaitsForAFileThatIsMissingOrUndecodable) {
    EXPECT_EQ(load("2026-12-05T09:00:00Z").state, ReadyWidgetState::waitingForApp());
    const char* bodies[] = {"{}", R"({"validUntil":1,"total":0,"tasks":[],"paletteRaw":""})", "",
                            "null", "\xEF\xBB\xBF{}"};
    for (const char* body : bodies) {
        SCOPED_TRACE(body);
        writeFile(snapshotFile(), body);
        EXPECT_EQ(load("2026-12-05T09:00:00Z").state, ReadyWidgetState::waitingForApp());
    }
}

TEST_F(SnapshotLoading, JudgesExpiryAtValidUntilExactly) {
    writeFile(snapshotFile(), workedExample);
    auto snapshot = *decodeSnapshot(workedExample);
    EXPECT_EQ(load("2026-12-05T17:59:59Z"),
              (ReadyWidgetEntry{at("2026-12-05T17:59:59Z"), ReadyWidgetState::ready(snapshot)}));
    EXPECT_EQ(load("2026-12-05T18:00:00Z"),
              (ReadyWidgetEntry{at("2026-12-05T18:00:00Z"), ReadyWidgetState::stale()}));
    EXPECT_EQ(load("2026-12-05T18:00:01Z").state, ReadyWidgetState::stale());
    EXPECT_EQ(loadEntry(at("2026-12-05T18:00:00Z") - microseconds{1}, container.path()).state,
              ReadyWidgetState::ready(snapshot));
}

TEST_F(SnapshotLoading, OverlaysParkedTicksOnALiveSnapshot) {
    writeFile(snapshotFile(), workedExample);
    tick("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90");
    auto entry = load("2026-12-05T09:00:00Z");
    ASSERT_NE(entry.state.snapshot(), nullptr);
    EXPECT_EQ(entry.state.snapshot()->total, 4);
    ASSERT_EQ(entry.state.snapshot()->tasks.size(), 1U);
    EXPECT_EQ(entry.state.snapshot()->tasks[0].title, "Water the plants");
}

TEST_F(SnapshotLoading, IgnoresTheQueueOnceExpired) {
    writeFile(snapshotFile(), workedExample);
    tick("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90");
    EXPECT_EQ(load("2026-12-05T18:00:00Z").state, ReadyWidgetState::stale());
}

TEST_F(SnapshotLoading, ReadsOnlyRegularFilesOfSaneSize) {
    // A FIFO must not block the load.
    ASSERT_EQ(::mkfifo(snapshotFile().c_str(), 0644), 0);
    EXPECT_EQ(load("2026-12-05T09:00:00Z").state, ReadyWidgetState::waitingForApp());
    std::filesystem::remove(snapshotFile());

    std::filesystem::create_directory(snapshotFile());
    EXPECT_EQ(load("2026-12-05T09:00:00Z").state, ReadyWidgetState::waitingForApp());
    std::filesystem::remove(snapshotFile());

    std::filesystem::create_symlink("/dev/zero", snapshotFile());
    EXPECT_EQ(load("2026-12-05T09:00:00Z").state, ReadyWidgetState::waitingForApp());
    std::filesystem::remove(snapshotFile());

    // A sparse file beyond the limit is refused without reading its bytes.
    writeFile(snapshotFile(), workedExample);
    std::filesystem::resize_file(snapshotFile(), 65 * 1024 * 1024);
    EXPECT_EQ(load("2026-12-05T09:00:00Z").state, ReadyWidgetState::waitingForApp());
    std::filesystem::remove(snapshotFile());

    writeFile(container.path() / "real.json", workedExample);
    std::filesystem::create_symlink(container.path() / "real.json", snapshotFile());
    EXPECT_EQ(load("2026-12-05T09:00:00Z").state.kind(), ReadyWidgetState::Case::ready);
}

} // namespace
} // namespace tandry
