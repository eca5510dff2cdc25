#pragma once

#include "bridges/SnapshotOptions.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tandry {

// What `tandry-widget-bridge` was asked to do.
struct BridgeOptions {
    // The task store: "taskwarrior" or "eds".
    std::string source;
    // Publish and consume once, then exit; else keep following the store.
    bool once = false;
    // Taskwarrior's filter.
    std::optional<std::string> filter;
    // The task lists to show, by display name or source UID; empty for every
    // enabled one.
    std::vector<std::string> lists;
    SnapshotOptions snapshot;

    bool operator==(const BridgeOptions&) const = default;
};

std::ostream& operator<<(std::ostream& out, const BridgeOptions& options);

// The outcome of reading the command line: options to run with, or an exit
// status after help, the version or a usage error was printed.
struct ExitStatus {
    int code = 0;

    bool operator==(const ExitStatus&) const = default;
};
using ParsedCommandLine = std::variant<BridgeOptions, ExitStatus>;

// Reads the command line; help and the version go to standard output, a usage
// error to standard error with exit status 2.
ParsedCommandLine parseBridgeCommandLine(const std::vector<std::string>& arguments);

} // namespace tandry
