#pragma once

#include "widget/store/PendingCompletion.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unordered_map>

namespace tandry {

// What queue reads decoded, by record file, so that a long-running reader
// (the desktop host reads the queue after every tick) reads a record file
// again only when it changed. Records are written once under a new file and
// never changed in place, so a repeated read mostly lists the directory and
// looks at each file's identity. About 140 bytes per parked record (a host
// over 100,000 parked ticks idles 14 MB larger). Safe to share between
// threads.
class DecodedRecords {
public:
    // The record decoded from the file `status` describes under the entry
    // `name`, or an empty optional for a file that held none; nothing when
    // that file was not decoded here, or has changed since.
    std::optional<std::optional<PendingCompletion>> find(std::string_view name,
                                                         const struct stat& status);

    void remember(std::string_view name, const struct stat& status,
                  std::optional<PendingCompletion> record);

    // Starts a read of the queue's whole listing; `forgetUnseen` after it
    // drops the files that read did not look at, which are gone.
    std::uint64_t beginRead();
    void forgetUnseen(std::uint64_t read);

    // The process's own, once `useInThisProcess` was called; until then none,
    // and queue reads decode every record file.
    static DecodedRecords* ofThisProcess();
    static void useInThisProcess();

private:
    struct FileIdentity {
        dev_t device;
        ino_t inode;
        bool operator==(const FileIdentity&) const = default;
    };
    struct IdentityHash {
        std::size_t operator()(const FileIdentity& file) const {
            return std::hash<ino_t>{}(file.inode) ^ (std::hash<dev_t>{}(file.device) << 1);
        }
    };
    struct Decoded {
        // A file rewritten in place has a new modification time or size,
        // and a new record that got the number of a removed one's file has
        // another name (the clock ticks too coarsely to tell them apart).
        std::size_t nameHash;
        std::int64_t modifiedNanoseconds;
        off_t size;
        std::uint64_t lastSeen;
        std::optional<PendingCompletion> record;
    };

    std::mutex mutex_;
    std::unordered_map<FileIdentity, Decoded, IdentityHash> files_;
    std::uint64_t reads_ = 0;
};

} // namespace tandry
