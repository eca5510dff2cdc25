#include "widget/store/AppGroup.h"

#include "widget/store/FileReading.h"
#include "widget/store/JsonReader.h"
#include "widget/system/InstalledData.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace tandry {
namespace {

// Info.json is a handful of keys; anything larger is not ours.
constexpr std::size_t maxInfoFileBytes = 1024 * 1024;

std::optional<std::string> readInfoFile(const Environment& environment) {
    auto path = infoFilePath(environment);
    if (!path) {
        return std::nullopt;
    }
    auto bytes = readRegularFile(AT_FDCWD, path->c_str(), maxInfoFileBytes);
    if (!bytes) {
        return std::nullopt;
    }
    return std::string(std::string_view(*bytes));
}

} // namespace

std::string resolveAppGroupIdentifier(std::optional<std::string_view> infoJson) {
    if (!infoJson) {
        return std::string(defaultAppGroupIdentifier);
    }
    simdjson::padded_string bytes(*infoJson);
    simdjson::ondemand::parser parser;
    json::document document;
    json::object members;
    if (parser.iterate(bytes).get(document) || document.get_object().get(members)) {
        return std::string(defaultAppGroupIdentifier);
    }
    // The first occurrence of the key decides; the rest of the file is not our business.
    for (auto member : members) {
        std::string_view key;
        if (member.unescaped_key().get(key)) {
            break;
        }
        if (key != appGroupInfoKey) {
            continue;
        }
        std::string_view identifier;
        if (member.value().get_string().get(identifier) || identifier.empty()) {
            break;
        }
        return std::string(identifier);
    }
    return std::string(defaultAppGroupIdentifier);
}

std::optional<std::filesystem::path> infoFilePath(const Environment& environment) {
    if (auto named = environment.nonEmpty("TANDRY_WIDGET_INFO")) {
        return std::filesystem::path(*named);
    }
    auto data = installedDataDirectory();
    if (!data) {
        return std::nullopt;
    }
    return *data / "tandry-widget" / "Info.json";
}

bool isSafePathComponent(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

std::optional<std::filesystem::path> sharedContainerPath(std::string_view identifier,
                                                         const BaseDirectories& directories) {
    if (!isSafePathComponent(identifier) || !directories.dataHome) {
        return std::nullopt;
    }
    return *directories.dataHome / "group-containers" / std::string(identifier);
}

SharedContainer SharedContainer::of(const Environment& environment) {
    auto info = readInfoFile(environment);
    std::string group =
        resolveAppGroupIdentifier(info ? std::optional<std::string_view>(*info) : std::nullopt);
    auto path = sharedContainerPath(group, BaseDirectories::from(environment));
    return {std::move(group), std::move(path)};
}

std::optional<std::filesystem::path> SharedContainer::existing() const {
    return existingContainer(path);
}

std::optional<std::filesystem::path>
existingContainer(const std::optional<std::filesystem::path>& container) {
    struct stat status {};
    if (!container || ::stat(container->c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return std::nullopt;
    }
    return container;
}

} // namespace tandry
