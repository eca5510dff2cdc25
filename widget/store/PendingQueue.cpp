#include "widget/store/PendingQueue.h"

#include "widget/store/AppGroup.h"
#include "widget/store/FileReading.h"
#include "widget/store/PendingCompletionCodec.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fmt/format.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace tandry {
namespace {

// A record is about 130 bytes; anything far larger is not a record.
constexpr std::size_t maxRecordBytes = 64 * 1024;

Error systemError(std::string_view what, const std::filesystem::path& path, int error) {
    return Error{fmt::format("{} {}: {}", what, path.string(), std::strerror(error))};
}

// Flushes a directory, so that an entry just created or renamed in it survives a power loss.
Result<void> syncDirectory(const std::filesystem::path& directory) {
    int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return std::unexpected(systemError("cannot open directory", directory, errno));
    }
    int result = ::fsync(descriptor);
    int error = errno;
    ::close(descriptor);
    if (result != 0) {
        return std::unexpected(systemError("cannot flush directory", directory, error));
    }
    return {};
}

// Creates the queue directory unless it exists already.
Result<void> makeQueueDirectory(const std::filesystem::path& container,
                                const std::filesystem::path& queue) {
    if (::mkdir(queue.c_str(), 0777) == 0) {
        return syncDirectory(container);
    }
    int error = errno;
    struct stat status {};
    if (error == EEXIST && ::stat(queue.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return {};
    }
    return std::unexpected(systemError("cannot create queue directory", queue, error));
}

Result<void> writeWhole(int descriptor, std::string_view bytes, const std::filesystem::path& path) {
    while (!bytes.empty()) {
        ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::unexpected(systemError("cannot write", path, errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

// Writes `bytes` to a fresh temporary file and flushes it to disk.
Result<void> writeDurably(const std::filesystem::path& path, std::string_view bytes) {
    int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return std::unexpected(systemError("cannot create", path, errno));
    }
    auto written = writeWhole(descriptor, bytes, path);
    if (written && ::fsync(descriptor) != 0) {
        written = std::unexpected(systemError("cannot flush", path, errno));
    }
    if (::close(descriptor) != 0 && written) {
        written = std::unexpected(systemError("cannot close", path, errno));
    }
    return written;
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
// temporary file, ".ID.json.partial". Failures are of no consequence: the
// next reader or writer tries again.
void removeIfAbandoned(int directory, const char* name) {
    const std::string_view text(name);
    if (!text.starts_with('.') || !text.ends_with(".json.partial")) {
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

void removeAbandonedFiles(const std::filesystem::path& queue) {
    DIR* listing = ::opendir(queue.c_str());
    if (!listing) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        removeIfAbandoned(::dirfd(listing), entry->d_name);
    }
    ::closedir(listing);
}

} // namespace

Result<void> parkPendingCompletion(const PendingCompletion& completion) {
    auto container = sharedContainerLocation();
    if (!container) {
        return {};
    }
    return parkPendingCompletion(completion, *container);
}

Result<void> parkPendingCompletion(const PendingCompletion& completion,
                                   const std::filesystem::path& container) {
    // 1. The queue directory, created by the first tick.
    auto queue = container / pendingQueueDirectoryName;
    if (auto made = makeQueueDirectory(container, queue); !made) {
        return made;
    }
    removeAbandonedFiles(queue);

    // 2. The record's bytes.
    auto bytes = encodePendingCompletion(completion);
    if (!bytes) {
        return std::unexpected(bytes.error());
    }

    // 3. Write under a temporary name that readers do not take for a record,
    //    flush, rename into place and flush the directory: the record is
    //    complete under its final name or absent, also after a power loss.
    auto name = uuidText(completion.id);
    auto temporary = queue / fmt::format(".{}.json.partial", name);
    auto final = queue / fmt::format("{}.json", name);
    if (auto written = writeDurably(temporary, *bytes); !written) {
        ::unlink(temporary.c_str());
        return written;
    }
    if (::rename(temporary.c_str(), final.c_str()) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        return std::unexpected(systemError("cannot move record into place", final, error));
    }
    return syncDirectory(queue);
}

std::vector<PendingCompletion> loadPendingCompletions() {
    auto container = sharedContainerLocation();
    if (!container) {
        return {};
    }
    return loadPendingCompletions(*container);
}

std::vector<PendingCompletion> loadPendingCompletions(const std::filesystem::path& container) {
    // 1. List the queue; no queue directory (or none readable) is an empty queue.
    auto queue = container / pendingQueueDirectoryName;
    DIR* listing = ::opendir(queue.c_str());
    if (!listing) {
        return {};
    }

    // 2. Read every "*.json" entry that is a regular file, in listing order,
    //    skipping whatever cannot be read or decoded; remove abandoned
    //    temporary files on the way.
    std::vector<PendingCompletion> records;
    int directory = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
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
        auto bytes = readRegularFile(directory, entry->d_name, maxRecordBytes, type);
        if (!bytes) {
            continue;
        }
        if (auto record = decodePendingCompletion(*bytes)) {
            records.push_back(*record);
        }
    }
    ::closedir(listing);

    // 3. Oldest tick first; equal instants keep the listing order.
    std::stable_sort(records.begin(), records.end(),
                     [](const PendingCompletion& left, const PendingCompletion& right) {
                         return left.requestedAt < right.requestedAt;
                     });
    return records;
}

} // namespace tandry
