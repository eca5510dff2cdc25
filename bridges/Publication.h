#pragma once

#include "widget/store/ReadySnapshot.h"
#include "widget/system/Error.h"

#include <filesystem>

namespace tandry {

// The file the widget reads the snapshot from, inside the shared container.
inline constexpr const char* readySnapshotFileName = "ready-snapshot.json";

// Creates the shared container and its queue directory where they are
// missing: the task manager owns them, and the bridge plays its part.
Result<void> ensureContainer(const std::filesystem::path& container);

// Writes `snapshot` with the store's encoder as the container's
// ready-snapshot.json, replaced in one durable step so that the widget reads
// the old document or the new one, never a part.
Result<void> publishSnapshot(const std::filesystem::path& container, const ReadySnapshot& snapshot);

} // namespace tandry
