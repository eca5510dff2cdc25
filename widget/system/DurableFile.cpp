#include "widget/system/DurableFile.h"

#include "widget/system/FileDescriptor.h"
#include "widget/system/SystemError.h"

#include <cerrno>
#include <fcntl.h>
#include <fmt/format.h>
#include <random>
#include <string>

namespace tandry {
namespace {

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
std::string temporaryNameFor(std::string_view name) {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    return fmt::format(".{}.{:016x}.partial", name, generator());
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

Result<void> syncOpenDirectory(int directory, const std::filesystem::path& path) {
    if (::fsync(directory) != 0) {
        return std::unexpected(systemError("cannot flush directory", path, errno));
    }
    return {};
}

} // namespace

Result<void> syncDirectory(const std::filesystem::path& directory) {
    const FileDescriptor opened{::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (!opened) {
        return std::unexpected(systemError("cannot open directory", directory, errno));
    }
    return syncOpenDirectory(opened.get(), directory);
}

Result<void> replaceFileDurably(const std::filesystem::path& target, std::string_view bytes,
                                mode_t mode) {
    const std::filesystem::path directoryPath =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const FileDescriptor directory{
        ::open(directoryPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (!directory) {
        return std::unexpected(systemError("cannot open directory", directoryPath, errno));
    }
    return replaceFileDurably(directory.get(), directoryPath, target.filename().string(), bytes,
                              mode);
}

Result<void> replaceFileDurably(int directory, const std::filesystem::path& directoryPath,
                                std::string_view name, std::string_view bytes, mode_t mode) {
    return detail::replaceFileVia(directory, directoryPath, name, temporaryNameFor(name), bytes,
                                  mode);
}

Result<void> detail::replaceFileVia(int directory, const std::filesystem::path& directoryPath,
                                    std::string_view name, std::string_view temporaryName,
                                    std::string_view bytes, mode_t mode) {
    const std::string temporary(temporaryName);
    const std::string final(name);

    // 1. The bytes, whole and on disk, under a name of their own.
    FileDescriptor file{::openat(directory, temporary.c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode)};
    if (!file) {
        return std::unexpected(systemError("cannot create", directoryPath / temporary, errno));
    }
    if (auto filled = fill(std::move(file), bytes, directoryPath / temporary); !filled) {
        ::unlinkat(directory, temporary.c_str(), 0);
        return filled;
    }

    // 2. One rename replaces the old file; readers never see a part.
    if (::renameat(directory, temporary.c_str(), directory, final.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(directory, temporary.c_str(), 0);
        return std::unexpected(systemError("cannot replace", directoryPath / final, error));
    }

    // 3. The new directory entry, on disk too.
    return syncOpenDirectory(directory, directoryPath);
}

} // namespace tandry
