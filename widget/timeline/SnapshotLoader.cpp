#include "widget/timeline/SnapshotLoader.h"

#include "widget/store/FileReading.h"
#include "widget/store/PendingQueue.h"
#include "widget/store/SnapshotCodec.h"

#include <fcntl.h>

namespace tandry {
namespace {

// Far beyond any real list of ready tasks; a larger file is not read at all.
constexpr std::size_t maxSnapshotBytes = 64 * 1024 * 1024;

} // namespace

ReadyWidgetEntry loadEntry(Instant date, const std::optional<std::filesystem::path>& container) {
    if (!container) {
        return {date, ReadyWidgetState::waitingForApp()};
    }
    return loadEntry(date, *container);
}

ReadyWidgetEntry loadEntry(Instant date, const std::filesystem::path& container) {
    // 1. Read and decode the snapshot; every failure means waiting for the app.
    auto path = container / snapshotFileName;
    auto bytes = readRegularFile(AT_FDCWD, path.c_str(), maxSnapshotBytes);
    if (!bytes) {
        return {date, ReadyWidgetState::waitingForApp()};
    }
    auto snapshot = decodeSnapshot(*bytes);
    if (!snapshot) {
        return {date, ReadyWidgetState::waitingForApp()};
    }

    // 2. Expired at validUntil exactly; the queue is not read then.
    if (date >= snapshot->validUntil) {
        return {date, ReadyWidgetState::stale()};
    }

    // 3. A live snapshot shows the parked ticks.
    return {date,
            ReadyWidgetState::ready(snapshot->applyingPending(loadPendingCompletions(container)))};
}

} // namespace tandry
