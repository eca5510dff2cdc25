#include "widget/store/FileReading.h"

#include "widget/system/FileDescriptor.h"
#include "widget/system/SystemError.h"

#include <cerrno>
#include <fcntl.h>
#include <fmt/format.h>
#include <sys/stat.h>

namespace tandry {

Result<simdjson::padded_string> readRegularFile(int directory, const char* name,
                                                std::size_t maxBytes) {
    return readRegularFile(directory, name, maxBytes, EntryType::unknown);
}

Result<simdjson::padded_string> readRegularFile(int directory, const char* name,
                                                std::size_t maxBytes, EntryType type) {
    // 1. Look before opening: opening a device or a FIFO can have effects or block.
    struct stat status {};
    if (type == EntryType::unknown) {
        if (::fstatat(directory, name, &status, 0) != 0) {
            return std::unexpected(systemError("cannot inspect", name, errno));
        }
        if (!S_ISREG(status.st_mode)) {
            return fail(fmt::format("{}: not a regular file", name));
        }
    }

    // 2. Open without blocking, then check what was opened: the entry may have
    //    been replaced since it was inspected.
    const FileDescriptor file{::openat(directory, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    if (!file) {
        return std::unexpected(systemError("cannot open", name, errno));
    }
    if (::fstat(file.get(), &status) != 0) {
        return std::unexpected(systemError("cannot inspect", name, errno));
    }
    if (!S_ISREG(status.st_mode)) {
        return fail(fmt::format("{}: not a regular file", name));
    }
    auto size = static_cast<std::size_t>(status.st_size);
    if (status.st_size < 0 || size > maxBytes) {
        return fail(fmt::format("{}: larger than {} bytes", name, maxBytes));
    }

    // 3. Read what fstat announced; a file that shrank meanwhile keeps what was there.
    simdjson::padded_string bytes(size);
    if (bytes.data() == nullptr) {
        return fail(fmt::format("{}: cannot allocate {} bytes", name, size));
    }
    std::size_t filled = 0;
    while (filled < size) {
        ssize_t got = ::read(file.get(), bytes.data() + filled, size - filled);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::unexpected(systemError("cannot read", name, errno));
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    if (filled < size) {
        return simdjson::padded_string(bytes.data(), filled);
    }
    return bytes;
}

} // namespace tandry
