#pragma once

#include "widget/store/DecodedRecords.h"
#include "widget/store/PendingCompletion.h"
#include "widget/system/Error.h"

#include <filesystem>
#include <vector>

namespace tandry {

// The queue directory inside the shared container.
inline constexpr const char* pendingQueueDirectoryName = "pending-completions";

// Parks one tick as "pending-completions/<ID>.json" in the shared container
// `container`, which must exist. The record is written under a temporary
// name, flushed to disk and renamed into place, so it is either complete
// under its final name or not there, also after a crash or a power loss.
// Temporary files that a writer killed mid-write left behind are removed once
// they are an hour old, here and when loading; younger ones may still be
// written and are left alone. The queue directory must be a directory of the
// container itself: with a file or a symbolic link in its place (to anywhere)
// nothing is written or removed, and the failure says why.
Result<void> parkPendingCompletion(const PendingCompletion& completion,
                                   const std::filesystem::path& container);

// Every parked tick, earliest `requestedAt` first (ties in listing order).
// Entries that are not "*.json", not regular files (symbolic links to regular
// files count), larger than a record can be, unreadable or undecodable are
// skipped and left where they are. Never fails: no queue, or a symbolic link
// in its place, is an empty list.
// With the process's DecodedRecords once it uses them.
std::vector<PendingCompletion> loadPendingCompletions(const std::filesystem::path& container);

// The same, reading again only the record files that `decoded` (when not
// null) has not decoded yet in their current state.
std::vector<PendingCompletion> loadPendingCompletions(const std::filesystem::path& container,
                                                      DecodedRecords* decoded);

} // namespace tandry
