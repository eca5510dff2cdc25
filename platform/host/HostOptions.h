#pragma once

#include "platform/host/Autostart.h"
#include "widget/ui/WidgetFamily.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tandry {

// The host's own light/dark choice: follow the desktop, or a fixed scheme.
enum class SchemeChoice { automatic, light, dark };

// The command line of `tandry-widget-host`.
struct HostOptions {
    // The families of the widgets to place; empty: the saved placements, or
    // one medium widget on the first run.
    std::vector<WidgetFamily> families;
    SchemeChoice scheme = SchemeChoice::automatic;
    // No windows: every load writes each family's card into `output`.
    bool headless = false;
    // Where cards are written on every load (required when headless).
    std::optional<std::filesystem::path> output;
    // Device pixels per point of the written pictures.
    double outputScale = 2;
    // Started by the session bus (D-Bus activation).
    bool service = false;
    // Set: only turn starting at login on or off, and exit.
    std::optional<StartAtLogin> startAtLogin;

    bool operator==(const HostOptions&) const = default;
};

// The options in words, for messages and tests:
// "families [ systemSmall ], scheme automatic, scale 2".
std::ostream& operator<<(std::ostream& out, const HostOptions& options);

// The options, or the exit status when the command line was a request for
// help or the version (0, the answer on standard output) or wrong (2, with
// the reason on `errors`).
std::variant<HostOptions, int> parseHostOptions(int argc, char** argv,
                                                std::ostream& errors = std::cerr);

} // namespace tandry
