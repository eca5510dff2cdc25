#pragma once

namespace tandry {

// How other processes reach the running desktop host on the session bus: its
// application id (also its bus name), the object that GApplication exports
// for it, and the names of its actions (org.freedesktop.Application).
inline constexpr const char* hostApplicationId = "app.tandry.WidgetHost";
inline constexpr const char* hostObjectPath = "/app/tandry/WidgetHost";

// Reloads the timelines of every placed widget of a kind; parameter: the kind.
inline constexpr const char* reloadActionName = "reload-timelines";

// Reloads the timelines of every placed widget; no parameter, as launchers
// send the actions of a desktop entry.
inline constexpr const char* reloadAllActionName = "reload-all-timelines";

// Runs the tick intent in the host; parameter: the task id text.
inline constexpr const char* tickActionName = "tick-ready-task";

} // namespace tandry
