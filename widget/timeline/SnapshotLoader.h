#pragma once

#include "widget/system/Instant.h"
#include "widget/timeline/ReadyWidgetEntry.h"

#include <filesystem>
#include <optional>

namespace tandry {

// The snapshot file in the root of the shared container.
inline constexpr const char* snapshotFileName = "ready-snapshot.json";

// The entry for `date` from the shared container `container` as it is now:
// ready with the parked ticks overlaid while `date` is before the snapshot's
// validUntil, stale from validUntil on, and waitingForApp when there is no
// container, no readable regular file of sane size, or no decodable
// snapshot. Never fails.
ReadyWidgetEntry loadEntry(Instant date, const std::filesystem::path& container);
ReadyWidgetEntry loadEntry(Instant date, const std::optional<std::filesystem::path>& container);

} // namespace tandry
