#pragma once

#include "bridges/BridgeCycle.h"
#include "bridges/BridgeOptions.h"
#include "widget/system/Environment.h"

#include <filesystem>
#include <functional>
#include <string>

namespace tandry {

// What a bridge's store needs from the program around it.
struct BridgeSetting {
    const BridgeOptions& options;
    const Environment& environment;
    const std::filesystem::path& container;
    SystemLog& log;
    ReloadChannel& reload;
};

// The part of a bridge program that knows its task store: runs one pass with
// `--once`, else follows the store for as long as the session runs.
using StoreRun = std::function<int(const BridgeSetting&)>;

// Reads the command line, finds the shared container exactly as the widget
// does, opens the journal and the host's reload channel, then runs the store
// the command line names with `run`, or `delegate` when that is another
// program's store. Returns the exit status.
int runBridgeProgram(int argc, char** argv, const std::string& store, const StoreRun& run,
                     const std::function<int(const BridgeOptions&)>& delegate);

// One pass with `--once` (exit status 0, or 1 with the failure on standard
// error), else `keepRunning`'s exit status.
int runCycle(BridgeCycle& cycle, bool once, const std::function<int(BridgeCycle&)>& keepRunning);

// The wall-clock time, as a bridge's cycle reads it.
Instant currentInstant();

// Prints "tandry-widget-bridge: `message`" on standard error; returns 1.
int reportFailure(const std::string& message);

} // namespace tandry
