#pragma once

#include <filesystem>
#include <string_view>

namespace tandry::testing {

// A fresh directory under the system's temporary directory, removed with its
// contents when the value goes out of scope.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Writes `contents` to `path`, creating missing parent directories.
void writeFile(const std::filesystem::path& path, std::string_view contents);

} // namespace tandry::testing
