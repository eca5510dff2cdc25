#include "bridges/QueueRecords.h"

#include "widget/store/PendingCompletionCodec.h"
#include "widget/store/PendingQueue.h"
#include "widget/system/DurableFile.h"
#include "widget/system/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace tandry {
namespace {

// A record is about 130 bytes; a file far larger is no record and is not read.
constexpr std::uintmax_t maxRecordBytes = 64 * 1024;

bool looksLikeRecord(const std::filesystem::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    std::error_code error;
    return !name.starts_with('.') && name.size() > 5 && name.ends_with(".json") &&
           entry.is_regular_file(error) && entry.file_size(error) <= maxRecordBytes;
}

std::optional<std::string> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return in.bad() ? std::nullopt : std::optional(std::move(bytes));
}

} // namespace

QueueListing listQueue(const std::filesystem::path& container) {
    QueueListing listing;
    std::error_code error;
    std::filesystem::directory_iterator entries(container / pendingQueueDirectoryName, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (!looksLikeRecord(*entries)) {
            continue;
        }
        // A record that vanished between listing and reading was consumed by
        // someone else; it is neither acted on nor reported.
        const auto bytes = fileBytes(entries->path());
        if (!bytes) {
            continue;
        }
        auto decoded = decodePendingCompletion(*bytes);
        if (decoded) {
            listing.records.push_back({entries->path(), *decoded});
        } else {
            listing.undecodable.push_back(entries->path());
        }
    }
    std::ranges::stable_sort(listing.records, {}, [](const QueueRecord& record) {
        return record.completion.requestedAt;
    });
    std::ranges::sort(listing.undecodable);
    return listing;
}

Result<void> removeRecords(const std::filesystem::path& container,
                           const std::vector<QueueRecord>& records) {
    if (records.empty()) {
        return {};
    }
    for (const QueueRecord& record : records) {
        if (::unlink(record.file.c_str()) != 0 && errno != ENOENT) {
            return std::unexpected(systemError("cannot remove record", record.file, errno));
        }
    }
    return syncDirectory(container / pendingQueueDirectoryName);
}

} // namespace tandry
