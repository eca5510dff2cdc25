#pragma once

#include "widget/system/BaseDirectories.h"
#include "widget/system/Error.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tandry {

// Whether the host starts when the user logs in.
enum class StartAtLogin { on, off };

// The name of the host's autostart entry, in the shipped copy and the user's.
inline constexpr const char* autostartEntryName = "app.tandry.WidgetHost.desktop";

// The autostart entry installed with the host, in tandry-widget/autostart/ of
// the installation's data directory; absent when the executable cannot be located.
std::optional<std::filesystem::path> shippedAutostartEntry();

// The user's autostart directory: autostart/ in the user's configuration
// directory ($XDG_CONFIG_HOME when absolute, else ~/.config); absent when
// no home is known.
std::optional<std::filesystem::path> userAutostartDirectory(const BaseDirectories& directories);

// Makes the host start at login (writes the user's entry, a copy of
// `shippedEntry` read and written as a desktop entry) or not (removes the
// user's entry). Returns what was done, in one sentence for the user;
// either choice made twice is no error. Only an entry that this program
// wrote is replaced or removed: an entry of the user's own in its place is
// left as it is, and the failure says so.
Result<std::string> setStartAtLogin(StartAtLogin choice, const std::filesystem::path& shippedEntry,
                                    const std::filesystem::path& autostartDirectory);

// Whether the session starts the host at login: the user's autostart
// directory holds an entry of the host's name that is not hidden.
StartAtLogin startAtLoginState(const std::filesystem::path& autostartDirectory);

} // namespace tandry
