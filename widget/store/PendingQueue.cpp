#include "widget/store/PendingQueue.h"

#include "widget/store/FileReading.h"
#include "widget/store/PendingCompletionCodec.h"
#include "widget/system/DurableFile.h"
#include "widget/system/FileDescriptor.h"
#include "widget/system/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <fmt/format.h>
#include <string_view>
#include <sys/stat.h>

namespace tandry {
namespace {

// A record is about 130 bytes; anything far larger is not a record.
constexpr std::size_t maxRecordBytes = 64 * 1024;

// Opens the queue directory when it is a real directory in the container:
// a symbolic link in its place (to anywhere) is not followed, so that no tick
// is written, and no file swept, outside the container.
FileDescriptor openQueue(const std::filesystem::path& queue) {
    return FileDescriptor{::open(queue.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)};
}

// The queue directory, created unless it exists already, opened.
Result<FileDescriptor> makeQueueDirectory(const std::filesystem::path& container,
                                          const std::filesystem::path& queue) {
    if (::mkdir(queue.c_str(), 0777) == 0) {
        if (auto synced = syncDirectory(container); !synced) {
            return std::unexpected(synced.error());
        }
    } else if (errno != EEXIST) {
        return std::unexpected(systemError("cannot create queue directory", queue, errno));
    }
    FileDescriptor opened = openQueue(queue);
    if (!opened) {
        if (errno == ELOOP || errno == ENOTDIR) {
            return fail(fmt::format("cannot use queue directory {}: not a directory of the "
                                    "container (a file or a symbolic link is in its place)",
                                    queue.string()));
        }
        return std::unexpected(systemError("cannot open queue directory", queue, errno));
    }
    return opened;
}

bool isRecordName(std::string_view name) {
    return name.size() > 5 && name.ends_with(".json");
}

// A record is written under its temporary name and renamed within
// milliseconds; a temporary file an hour old was left by a writer that was
// killed or lost power, and nothing else would ever remove it. A younger one
// may still be in another writer's hands and is left alone.
constexpr auto abandonedAfter = std::chrono::hours{1};

// Removes the entry `name` of the open directory if it is such an abandoned
// temporary file: hidden and ending in ".partial" (".ID.json.<random>.partial",
// or ".ID.json.partial" from earlier versions). Failures are of no
// consequence: the next reader or writer tries again.
void removeIfAbandoned(int directory, const char* name) {
    const std::string_view text(name);
    if (!text.starts_with('.') || !text.ends_with(".partial")) {
        return;
    }
    struct stat status {};
    if (::fstatat(directory, name, &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode)) {
        return;
    }
    const std::chrono::system_clock::time_point modified{
        std::chrono::seconds{status.st_mtim.tv_sec}};
    if (std::chrono::system_clock::now() - modified > abandonedAfter) {
        ::unlinkat(directory, name, 0);
    }
}

// A listing of the open directory `directory`, which stays open itself.
DirectoryListing listingOf(int directory) {
    const int duplicate = ::fcntl(directory, F_DUPFD_CLOEXEC, 0);
    if (duplicate < 0) {
        return nullptr;
    }
    DirectoryListing listing{::fdopendir(duplicate)};
    if (!listing) {
        ::close(duplicate);
    }
    return listing;
}

void removeAbandonedFiles(int queue) {
    const DirectoryListing listing = listingOf(queue);
    if (!listing) {
        return;
    }
    while (const dirent* entry = ::readdir(listing.get())) {
        removeIfAbandoned(queue, entry->d_name);
    }
}

} // namespace

Result<void> parkPendingCompletion(const PendingCompletion& completion,
                                   const std::filesystem::path& container) {
    // 1. The queue directory, created by the first tick.
    const auto queue = container / pendingQueueDirectoryName;
    auto opened = makeQueueDirectory(container, queue);
    if (!opened) {
        return std::unexpected(opened.error());
    }
    removeAbandonedFiles(opened->get());

    // 2. The record's bytes.
    auto bytes = encodePendingCompletion(completion);
    if (!bytes) {
        return std::unexpected(bytes.error());
    }

    // 3. Complete under its final name or absent, also after a power loss;
    //    readers do not take the temporary name for a record.
    return replaceFileDurably(opened->get(), queue, fmt::format("{}.json", uuidText(completion.id)),
                              *bytes);
}

std::vector<PendingCompletion> loadPendingCompletions(const std::filesystem::path& container) {
    return loadPendingCompletions(container, DecodedRecords::ofThisProcess());
}

std::vector<PendingCompletion> loadPendingCompletions(const std::filesystem::path& container,
                                                      DecodedRecords* decoded) {
    // 1. List the queue; no queue directory (or none readable, or a symbolic
    //    link in its place) is an empty queue.
    const FileDescriptor queue = openQueue(container / pendingQueueDirectoryName);
    const DirectoryListing listing = queue ? listingOf(queue.get()) : nullptr;
    if (!listing) {
        return {};
    }

    // 2. Read every "*.json" entry that is a regular file, in listing order,
    //    skipping whatever cannot be read or decoded; remove abandoned
    //    temporary files on the way.
    std::vector<PendingCompletion> records;
    const int directory = queue.get();
    const std::uint64_t read = decoded != nullptr ? decoded->beginRead() : 0;
    while (const dirent* entry = ::readdir(listing.get())) {
        if (!isRecordName(entry->d_name)) {
            removeIfAbandoned(directory, entry->d_name);
            continue;
        }
        EntryType type = EntryType::unknown;
        if (entry->d_type == DT_REG) {
            type = EntryType::regularFile;
        } else if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) {
            continue; // a directory, FIFO, socket or device
        }
        struct stat status {};
        if (decoded != nullptr) {
            // A link is looked at where it leads.
            const int follow = type == EntryType::regularFile ? AT_SYMLINK_NOFOLLOW : 0;
            if (::fstatat(directory, entry->d_name, &status, follow) != 0 ||
                !S_ISREG(status.st_mode)) {
                continue;
            }
            if (auto known = decoded->find(entry->d_name, status)) {
                if (*known) {
                    records.push_back(**known);
                }
                continue;
            }
        }
        auto bytes = readRegularFile(directory, entry->d_name, maxRecordBytes, type);
        if (!bytes) {
            continue;
        }
        auto record = decodePendingCompletion(*bytes);
        if (record) {
            records.push_back(*record);
        }
        if (decoded != nullptr) {
            // Remembered by what the file was before the read: if it was
            // replaced meanwhile, the next read finds it changed and reads it.
            decoded->remember(entry->d_name, status,
                              record ? std::optional(*record) : std::nullopt);
        }
    }
    if (decoded != nullptr) {
        decoded->forgetUnseen(read);
    }

    // 3. Oldest tick first; equal instants keep the listing order.
    std::stable_sort(records.begin(), records.end(),
                     [](const PendingCompletion& left, const PendingCompletion& right) {
                         return left.requestedAt < right.requestedAt;
                     });
    return records;
}

} // namespace tandry
