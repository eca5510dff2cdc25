#pragma once

#include "widget/system/Error.h"

#include <filesystem>
#include <string_view>
#include <sys/types.h>

namespace tandry {

// Flushes a directory, so that an entry just created, renamed or removed in
// it survives a power loss.
Result<void> syncDirectory(const std::filesystem::path& directory);

// Replaces `target` with `bytes` as one step that also survives a crash or a
// power loss: readers see the old file whole or the new one whole, never a
// part. The bytes go to a fresh temporary file beside the target, created
// with O_EXCL|O_NOFOLLOW (so nothing planted at that name, a symbolic link
// above all, is followed or overwritten), are flushed to disk, renamed over
// the target, and the directory is flushed. The temporary name is
// ".<target name>.<random>.partial": hidden, and never a name that readers of
// the directory take for one of their files. On failure the temporary file
// is removed and the target is unchanged. `mode` is the new file's
// permissions, before the umask.
Result<void> replaceFileDurably(const std::filesystem::path& target, std::string_view bytes,
                                mode_t mode = 0644);

// The same for the entry `name` of the open directory `directory`, which
// messages call `directoryPath`: whatever replaces the directory's path
// meanwhile, the file lands in the directory that was opened.
Result<void> replaceFileDurably(int directory, const std::filesystem::path& directoryPath,
                                std::string_view name, std::string_view bytes, mode_t mode = 0644);

namespace detail {

// replaceFileDurably with the temporary file named `temporaryName`; the
// public calls pick a fresh random name.
Result<void> replaceFileVia(int directory, const std::filesystem::path& directoryPath,
                            std::string_view name, std::string_view temporaryName,
                            std::string_view bytes, mode_t mode);

} // namespace detail
} // namespace tandry
