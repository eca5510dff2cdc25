#include "widget/system/DurableFile.h"

#include "widget/system/FileDescriptor.h"
#include "widget/system/SystemError.h"

#include <cerrno>
#include <fcntl.h>
#include <fmt/format.h>
#include <random>

namespace tandry {
namespace {

constexpr std::string_view temporarySuffix = ".partial";

Result<void> writeWhole(int descriptor, std::string_view bytes, const std::filesystem::path& path) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
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

// A name no other writer picks at the same moment: two hosts, or a host and
// a command line, may replace the same file at once.
std::filesystem::path temporaryPathFor(const std::filesystem::path& target) {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    return target.parent_path() /
           fmt::format(".{}.{:016x}{}", target.filename().string(), generator(), temporarySuffix);
}

// Writes `bytes` to the open file `path` and flushes them to disk.
Result<void> fill(FileDescriptor file, std::string_view bytes, const std::filesystem::path& path) {
    if (auto written = writeWhole(file.get(), bytes, path); !written) {
        return written;
    }
    if (::fsync(file.get()) != 0) {
        return std::unexpected(systemError("cannot flush", path, errno));
    }
    if (file.close() != 0) {
        return std::unexpected(systemError("cannot close", path, errno));
    }
    return {};
}

} // namespace

Result<void> syncDirectory(const std::filesystem::path& directory) {
    const FileDescriptor opened{::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (!opened) {
        return std::unexpected(systemError("cannot open directory", directory, errno));
    }
    if (::fsync(opened.get()) != 0) {
        return std::unexpected(systemError("cannot flush directory", directory, errno));
    }
    return {};
}

Result<void> replaceFileDurably(const std::filesystem::path& target, std::string_view bytes,
                                mode_t mode) {
    return detail::replaceFileVia(target, temporaryPathFor(target), bytes, mode);
}

Result<void> detail::replaceFileVia(const std::filesystem::path& target,
                                    const std::filesystem::path& temporary,
                                    std::string_view bytes, mode_t mode) {
    // 1. The bytes, whole and on disk, under a name of their own.
    FileDescriptor file{::open(temporary.c_str(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode)};
    if (!file) {
        return std::unexpected(systemError("cannot create", temporary, errno));
    }
    if (auto filled = fill(std::move(file), bytes, temporary); !filled) {
        ::unlink(temporary.c_str());
        return filled;
    }

    // 2. One rename replaces the old file; readers never see a part.
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return std::unexpected(systemError("cannot replace", target, error));
    }

    // 3. The new directory entry, on disk too.
    const auto directory = target.has_parent_path() ? target.parent_path() : ".";
    return syncDirectory(directory);
}

} // namespace tandry
