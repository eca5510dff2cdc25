#include "bridges/BridgeProgram.h"

#include "cli/BusReloadChannel.h"
#include "platform/log/JournalLog.h"
#include "widget/intents/BundleIdentifier.h"
#include "widget/store/AppGroup.h"

#include <fmt/format.h>
#include <iostream>

namespace tandry {

Instant currentInstant() {
    return std::chrono::time_point_cast<std::chrono::microseconds>(
        std::chrono::system_clock::now());
}

int reportFailure(const std::string& message) {
    std::cerr << "tandry-widget-bridge: " << message << '\n';
    return 1;
}

int runCycle(BridgeCycle& cycle, bool once, const std::function<int(BridgeCycle&)>& keepRunning) {
    if (once) {
        const auto report = cycle.run();
        return report ? 0 : reportFailure(report.error().message);
    }
    return keepRunning(cycle);
}

int runBridgeProgram(int argc, char** argv, const std::string& store, const StoreRun& run,
                     const std::function<int(const BridgeOptions&)>& delegate) {
    const auto parsed = parseBridgeCommandLine(std::vector<std::string>(argv, argv + argc));
    if (const auto* status = std::get_if<ExitStatus>(&parsed)) {
        return status->code;
    }
    BridgeOptions options = std::get<BridgeOptions>(parsed);
    if (options.source != store) {
        return delegate(options);
    }
    if (options.filter && options.filter->empty()) {
        options.filter.reset();
    }

    // 1. The container, found exactly as the widget finds it.
    const Environment environment = Environment::ofProcess();
    const SharedContainer shared = SharedContainer::of(environment);
    if (!shared.path) {
        return reportFailure(fmt::format("no shared container for the group \"{}\" (is "
                                         "XDG_DATA_HOME or HOME set?)",
                                         shared.group));
    }

    // 2. The store, once or for as long as the session runs.
    JournalLog log(std::string(hostApplicationBundleIdentifier), "bridge");
    BusReloadChannel reload;
    return run({.options = options,
                .environment = environment,
                .container = *shared.path,
                .log = log,
                .reload = reload});
}

} // namespace tandry
