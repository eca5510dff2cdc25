#pragma once

#include <string_view>

namespace tandry {

// The task manager's bundle identifier, a constant of the build. The widget's
// log entries carry it as their subsystem.
inline constexpr std::string_view hostApplicationBundleIdentifier = "app.tandry.taskmanager";

// The category of the widget's log entries.
inline constexpr std::string_view widgetLogCategory = "widget";

} // namespace tandry
