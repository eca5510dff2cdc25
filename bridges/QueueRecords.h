#pragma once

#include "widget/store/PendingCompletion.h"
#include "widget/system/Error.h"

#include <filesystem>
#include <vector>

namespace tandry {

// One parked tick and the file that holds it.
struct QueueRecord {
    std::filesystem::path file;
    PendingCompletion completion;

    bool operator==(const QueueRecord&) const = default;
};

// The queue as its consumer sees it: the records it may act on, earliest
// tick first, and the files that look like records but do not decode, which
// it must leave alone.
struct QueueListing {
    std::vector<QueueRecord> records;
    std::vector<std::filesystem::path> undecodable;

    bool operator==(const QueueListing&) const = default;
};

// Lists the queue of `container`. Hidden entries (writers' temporary files)
// and entries that are not regular "*.json" files are skipped; no queue
// directory is an empty queue.
QueueListing listQueue(const std::filesystem::path& container);

// Removes the records' files and flushes the queue directory, so that a
// consumed tick stays consumed after a crash. A file already gone counts as
// removed.
Result<void> removeRecords(const std::filesystem::path& container,
                           const std::vector<QueueRecord>& records);

} // namespace tandry
