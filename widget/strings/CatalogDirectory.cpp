#include "widget/strings/CatalogDirectory.h"

#include "widget/system/InstalledData.h"

namespace tandry {

std::optional<std::filesystem::path> catalogDirectory(const Environment& environment) {
    if (auto configured = environment.absolutePath(catalogDirectoryVariable)) {
        return configured;
    }
    auto data = installedDataDirectory();
    if (!data) {
        return std::nullopt;
    }
    return *data / "locale";
}

} // namespace tandry
