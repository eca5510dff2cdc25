#pragma once

#include "widget/system/Error.h"

#include <filesystem>
#include <string>

namespace tandry {

// Whether the host starts when the user logs in.
enum class StartAtLogin { on, off };

// The name of the host's autostart entry, in the shipped copy and the user's.
inline constexpr const char* autostartEntryName = "app.tandry.WidgetHost.desktop";

// The autostart entry installed with the host:
// share/tandry-widget/autostart/ beside the directory of the executable.
std::filesystem::path shippedAutostartEntry();

// The user's autostart directory: $XDG_CONFIG_HOME/autostart (the
// configuration directory defaulting to ~/.config).
std::filesystem::path userAutostartDirectory();

// Makes the host start at login (writes the user's entry, a copy of
// `shippedEntry` read and written as a desktop entry) or not (removes the
// user's entry). Returns what was done, in one sentence for the user;
// either choice made twice is no error.
Result<std::string> setStartAtLogin(StartAtLogin choice, const std::filesystem::path& shippedEntry,
                                    const std::filesystem::path& autostartDirectory);

} // namespace tandry
