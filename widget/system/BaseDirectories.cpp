#include "widget/system/BaseDirectories.h"

#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace tandry {
namespace {

std::optional<std::filesystem::path> passwordDatabaseHome() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir != nullptr && *found->pw_dir == '/') {
        return std::filesystem::path(found->pw_dir);
    }
    return std::nullopt;
}

} // namespace

BaseDirectories BaseDirectories::from(const Environment& environment) {
    auto data = environment.absolutePath("XDG_DATA_HOME");
    auto config = environment.absolutePath("XDG_CONFIG_HOME");
    auto state = environment.absolutePath("XDG_STATE_HOME");
    if (data && config && state) {
        return {data, config, state};
    }
    auto home = environment.absolutePath("HOME");
    if (!home) {
        home = passwordDatabaseHome();
    }
    if (home) {
        if (!data) {
            data = *home / ".local" / "share";
        }
        if (!config) {
            config = *home / ".config";
        }
        if (!state) {
            state = *home / ".local" / "state";
        }
    }
    return {data, config, state};
}

std::ostream& operator<<(std::ostream& out, const BaseDirectories& directories) {
    const auto shown = [](const std::optional<std::filesystem::path>& path) {
        return path ? path->string() : std::string("none");
    };
    return out << "BaseDirectories{data=" << shown(directories.dataHome)
               << " config=" << shown(directories.configHome)
               << " state=" << shown(directories.stateHome) << '}';
}

} // namespace tandry
