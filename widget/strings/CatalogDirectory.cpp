#include "widget/strings/CatalogDirectory.h"

#include <cstdlib>
#include <system_error>

namespace tandry {
namespace {

std::optional<std::filesystem::path> installedCatalogDirectory() {
    std::error_code error;
    auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::nullopt;
    }
    return executable.parent_path().parent_path() / "share" / "locale";
}

} // namespace

std::optional<std::filesystem::path> catalogDirectory() {
    if (const char* configured = std::getenv(catalogDirectoryVariable);
        configured && *configured == '/') {
        return std::filesystem::path(configured);
    }
    // The executable does not move while the process runs.
    static const auto installed = installedCatalogDirectory();
    return installed;
}

} // namespace tandry
