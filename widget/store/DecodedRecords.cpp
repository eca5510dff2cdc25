#include "widget/store/DecodedRecords.h"

#include <atomic>

namespace tandry {
namespace {

std::int64_t modifiedNanoseconds(const struct stat& status) {
    return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 +
           status.st_mtim.tv_nsec;
}

std::atomic<DecodedRecords*> processRecords{nullptr};

} // namespace

std::optional<std::optional<PendingCompletion>> DecodedRecords::find(std::string_view name,
                                                                     const struct stat& status) {
    const std::lock_guard lock(mutex_);
    const auto found = files_.find({status.st_dev, status.st_ino});
    if (found == files_.end() || found->second.nameHash != std::hash<std::string_view>{}(name) ||
        found->second.modifiedNanoseconds != modifiedNanoseconds(status) ||
        found->second.size != status.st_size) {
        return std::nullopt;
    }
    found->second.lastSeen = reads_;
    return found->second.record;
}

void DecodedRecords::remember(std::string_view name, const struct stat& status,
                              std::optional<PendingCompletion> record) {
    const std::lock_guard lock(mutex_);
    files_.insert_or_assign(FileIdentity{status.st_dev, status.st_ino},
                            Decoded{std::hash<std::string_view>{}(name),
                                    modifiedNanoseconds(status), status.st_size, reads_, record});
}

std::uint64_t DecodedRecords::beginRead() {
    const std::lock_guard lock(mutex_);
    return ++reads_;
}

void DecodedRecords::forgetUnseen(std::uint64_t read) {
    const std::lock_guard lock(mutex_);
    // Files a read that began later looked at are kept; a read that began
    // earlier and ends later only forgets what neither saw.
    std::erase_if(files_, [read](const auto& file) { return file.second.lastSeen < read; });
}

DecodedRecords* DecodedRecords::ofThisProcess() {
    return processRecords.load(std::memory_order_acquire);
}

void DecodedRecords::useInThisProcess() {
    // Kept until the process ends: reads on other threads may hold it.
    static DecodedRecords records;
    processRecords.store(&records, std::memory_order_release);
}

} // namespace tandry
