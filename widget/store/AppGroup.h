#pragma once

#include "widget/system/BaseDirectories.h"
#include "widget/system/Environment.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tandry {

// The group identifier used when Info.json names none.
inline constexpr std::string_view defaultAppGroupIdentifier = "T4NDRY7QX2.app.tandry.taskmanager";

// The key of Info.json that names the application group.
inline constexpr std::string_view appGroupInfoKey = "MarrowbyAppGroup";

// The identifier that Info.json's text names: the string under
// "MarrowbyAppGroup" when it is a non-empty string (blanks kept), else the
// default. Text that is not a JSON object counts as no key.
std::string resolveAppGroupIdentifier(std::optional<std::string_view> infoJson);

// Where Info.json is read from: the file that TANDRY_WIDGET_INFO names, or
// tandry-widget/Info.json in the installation's data directory.
std::optional<std::filesystem::path> infoFilePath(const Environment& environment);

// True when `name` is one path component that stays inside its parent:
// not empty, not "." or "..", without "/" or NUL.
bool isSafePathComponent(std::string_view name);

// Where the shared container of a group is or would be, whether or not it
// exists yet: <data home>/group-containers/<identifier>/. Absent when the
// identifier is not a safe path component or no data home is known.
std::optional<std::filesystem::path> sharedContainerPath(std::string_view identifier,
                                                         const BaseDirectories& directories);

// The shared container of the application group, as a program finds it once
// at its start: the group that Info.json names, and where its container is
// or would be. The container itself may appear or go at any time, so whether
// it exists is asked afresh (existing()).
struct SharedContainer {
    std::string group;
    std::optional<std::filesystem::path> path;

    // Reads Info.json and resolves the base directories of `environment`.
    static SharedContainer of(const Environment& environment);

    // `path` when it is an existing directory now; never created.
    std::optional<std::filesystem::path> existing() const;

    bool operator==(const SharedContainer&) const = default;
};

// `container` when it is an existing directory now, else absent.
std::optional<std::filesystem::path>
existingContainer(const std::optional<std::filesystem::path>& container);

} // namespace tandry
