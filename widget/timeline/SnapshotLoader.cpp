#include "widget/timeline/SnapshotLoader.h"

#include "widget/store/FileReading.h"
#include "widget/store/PendingQueue.h"
#include "widget/store/SnapshotCodec.h"

#include <cstdint>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>

namespace tandry {
namespace {

// Far beyond any real list of ready tasks; a larger file is not read at all.
constexpr std::size_t maxSnapshotBytes = 64 * 1024 * 1024;

// How often a load starts over when the snapshot was replaced while it read
// the queue; a task manager that publishes without pause gets the last try.
constexpr int loadAttempts = 3;

// Which file a path names at a moment: a snapshot replaced by rename is
// another file, one rewritten in place has another time or size.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t modifiedSeconds = 0;
    long modifiedNanoseconds = 0;
    off_t size = 0;

    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const std::filesystem::path& path) {
    struct stat status{};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino, status.st_mtim.tv_sec,
                        status.st_mtim.tv_nsec, status.st_size};
}

struct Attempt {
    ReadyWidgetEntry entry;
    // Whether the snapshot stayed the same file from before it was read
    // until after the queue was.
    bool consistent = true;
};

Attempt loadOnce(Instant date, const std::filesystem::path& container) {
    // 1. Read and decode the snapshot; every failure means waiting for the app.
    auto path = container / snapshotFileName;
    const std::optional<FileIdentity> before = identityOf(path);
    auto bytes = readRegularFile(AT_FDCWD, path.c_str(), maxSnapshotBytes);
    if (!bytes) {
        return {{date, ReadyWidgetState::waitingForApp()}};
    }
    auto snapshot = decodeSnapshot(*bytes);
    if (!snapshot) {
        return {{date, ReadyWidgetState::waitingForApp()}};
    }

    // 2. Expired at validUntil exactly; the queue is not read then.
    if (date >= snapshot->validUntil) {
        return {{date, ReadyWidgetState::stale()}};
    }

    // 3. A live snapshot shows the parked ticks. The task manager publishes
    //    a snapshot without the ticked tasks before it removes their
    //    records: a queue read after the records went must not be laid over
    //    the snapshot from before.
    const std::vector<PendingCompletion> queue = loadPendingCompletions(container);
    return {{date, ReadyWidgetState::ready(snapshot->applyingPending(queue))},
            before && identityOf(path) == before};
}

} // namespace

ReadyWidgetEntry loadEntry(Instant date, const std::optional<std::filesystem::path>& container) {
    if (!container) {
        return {date, ReadyWidgetState::waitingForApp()};
    }
    return loadEntry(date, *container);
}

ReadyWidgetEntry loadEntry(Instant date, const std::filesystem::path& container) {
    Attempt attempt = loadOnce(date, container);
    for (int i = 1; i < loadAttempts && !attempt.consistent; ++i) {
        attempt = loadOnce(date, container);
    }
    return std::move(attempt.entry);
}

} // namespace tandry
