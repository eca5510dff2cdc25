#include "bridges/Publication.h"

#include "widget/store/PendingQueue.h"
#include "widget/store/SnapshotCodec.h"
#include "widget/system/DurableFile.h"

#include <fmt/format.h>
#include <system_error>

namespace tandry {

Result<void> ensureContainer(const std::filesystem::path& container) {
    std::error_code error;
    std::filesystem::create_directories(container / pendingQueueDirectoryName, error);
    if (error) {
        return fail(fmt::format("cannot create the shared container {}: {}", container.string(),
                                error.message()));
    }
    return {};
}

Result<void> publishSnapshot(const std::filesystem::path& container,
                             const ReadySnapshot& snapshot) {
    auto bytes = encodeSnapshot(snapshot);
    if (!bytes) {
        return std::unexpected(bytes.error());
    }
    return replaceFileDurably(container / readySnapshotFileName, *bytes);
}

} // namespace tandry
