#include "widget/system/InstalledData.h"

#include <system_error>

namespace tandry {

std::optional<std::filesystem::path> executableDirectory() {
    // The executable does not move while the process runs.
    static const auto directory = []() -> std::optional<std::filesystem::path> {
        std::error_code error;
        const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
        if (error) {
            return std::nullopt;
        }
        return executable.parent_path();
    }();
    return directory;
}

std::optional<std::filesystem::path> installedDataDirectory() {
    auto directory = executableDirectory();
    if (!directory) {
        return std::nullopt;
    }
    return directory->parent_path() / "share";
}

} // namespace tandry
