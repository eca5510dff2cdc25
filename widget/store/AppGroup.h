#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tandry {

// The group identifier used when Info.json names none.
inline constexpr std::string_view defaultAppGroupIdentifier = "T4NDRY7QX2.app.tandry.taskmanager";

// The key of Info.json that names the application group.
inline constexpr std::string_view appGroupInfoKey = "MarrowbyAppGroup";

// The application group identifier, resolved on first use from Info.json and
// kept, unchanged, for the life of the process. Safe to call from any thread.
const std::string& appGroupIdentifier();

// The identifier that Info.json's text names: the string under
// "MarrowbyAppGroup" when it is a non-empty string (blanks kept), else the
// default. Text that is not a JSON object counts as no key.
std::string resolveAppGroupIdentifier(std::optional<std::string_view> infoJson);

// Where Info.json is read from: the file that TANDRY_WIDGET_INFO names, or
// share/tandry-widget/Info.json beside the directory of the executable.
std::optional<std::filesystem::path> infoFilePath();

// True when `name` is one path component that stays inside its parent:
// not empty, not "." or "..", without "/" or NUL.
bool isSafePathComponent(std::string_view name);

// Where the shared container of a group is or would be, whether or not it
// exists yet: $XDG_DATA_HOME/group-containers/<identifier>/ ($XDG_DATA_HOME
// defaulting to ~/.local/share, the home directory being $HOME or else the
// password database's). Absent when the identifier is not a safe path
// component or no home directory is known. The host watches this path.
std::optional<std::filesystem::path> sharedContainerPath(std::string_view identifier);

// The shared container of a group: sharedContainerPath(identifier) when that
// is an existing directory, else absent; never created.
std::optional<std::filesystem::path> sharedContainerLocation(std::string_view identifier);

// The shared container of appGroupIdentifier(), looked up afresh on every call.
std::optional<std::filesystem::path> sharedContainerLocation();

} // namespace tandry
