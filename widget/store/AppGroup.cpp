#include "widget/store/AppGroup.h"

#include "widget/store/FileReading.h"
#include "widget/store/JsonReader.h"

#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tandry {
namespace {

// Info.json is a handful of keys; anything larger is not ours.
constexpr std::size_t maxInfoFileBytes = 1024 * 1024;

std::optional<std::string> readInfoFile() {
    auto path = infoFilePath();
    if (!path) {
        return std::nullopt;
    }
    auto bytes = readRegularFile(AT_FDCWD, path->c_str(), maxInfoFileBytes);
    if (!bytes) {
        return std::nullopt;
    }
    return std::string(std::string_view(*bytes));
}

std::optional<std::filesystem::path> executableDirectory() {
    std::error_code error;
    auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::nullopt;
    }
    return executable.parent_path();
}

std::optional<std::filesystem::path> homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home == '/') {
        return std::filesystem::path(home);
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && *found->pw_dir == '/') {
        return std::filesystem::path(found->pw_dir);
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> dataHome() {
    // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
    if (const char* configured = std::getenv("XDG_DATA_HOME"); configured && *configured == '/') {
        return std::filesystem::path(configured);
    }
    auto home = homeDirectory();
    if (!home) {
        return std::nullopt;
    }
    return *home / ".local" / "share";
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

const std::string& appGroupIdentifier() {
    // A function-local static is initialised once, and other threads wait for it.
    static const std::string identifier = [] {
        auto info = readInfoFile();
        return resolveAppGroupIdentifier(info ? std::optional<std::string_view>(*info)
                                              : std::nullopt);
    }();
    return identifier;
}

std::optional<std::filesystem::path> infoFilePath() {
    if (const char* named = std::getenv("TANDRY_WIDGET_INFO"); named && *named) {
        return std::filesystem::path(named);
    }
    auto directory = executableDirectory();
    if (!directory) {
        return std::nullopt;
    }
    return directory->parent_path() / "share" / "tandry-widget" / "Info.json";
}

bool isSafePathComponent(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

std::optional<std::filesystem::path> sharedContainerPath(std::string_view identifier) {
    if (!isSafePathComponent(identifier)) {
        return std::nullopt;
    }
    auto base = dataHome();
    if (!base) {
        return std::nullopt;
    }
    return *base / "group-containers" / std::string(identifier);
}

std::optional<std::filesystem::path> sharedContainerLocation(std::string_view identifier) {
    auto container = sharedContainerPath(identifier);
    struct stat status {};
    if (!container || ::stat(container->c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return std::nullopt;
    }
    return container;
}

std::optional<std::filesystem::path> sharedContainerLocation() {
    return sharedContainerLocation(appGroupIdentifier());
}

} // namespace tandry
