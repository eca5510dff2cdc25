#pragma once

#include "widget/system/Environment.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace tandry {

// The user's base directories for data, configuration and state, as the XDG
// Base Directory rules define them: $XDG_DATA_HOME, $XDG_CONFIG_HOME and
// $XDG_STATE_HOME when they are absolute paths (a relative value is
// ignored), else ~/.local/share, ~/.config and ~/.local/state. The home
// directory is $HOME when that is absolute, else the password database's
// entry for the user. Each is absent only when neither names a home.
struct BaseDirectories {
    std::optional<std::filesystem::path> dataHome;
    std::optional<std::filesystem::path> configHome;
    std::optional<std::filesystem::path> stateHome;

    // From `environment`, asking the password database only when it gives no home.
    static BaseDirectories from(const Environment& environment);

    bool operator==(const BaseDirectories&) const = default;
};

std::ostream& operator<<(std::ostream& out, const BaseDirectories& directories);

} // namespace tandry
