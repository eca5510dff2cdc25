#include "bridges/BridgeCycle.h"
#include "bridges/BridgeDaemon.h"
#include "bridges/BridgeOptions.h"
#include "bridges/taskwarrior/TaskwarriorStore.h"
#include "cli/BusReloadChannel.h"
#include "platform/log/JournalLog.h"
#include "widget/intents/BundleIdentifier.h"
#include "widget/store/AppGroup.h"

#include <fmt/format.h>
#include <iostream>

namespace {

// A `task` run longer than this is stuck (a lock held for good, a hook that
// hangs), not slow.
constexpr std::chrono::seconds taskTimeout{30};

tandry::Instant now() {
    return std::chrono::time_point_cast<std::chrono::microseconds>(
        std::chrono::system_clock::now());
}

int failure(const std::string& message) {
    std::cerr << "tandry-widget-bridge: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    using namespace tandry;
    const auto parsed = parseBridgeCommandLine(std::vector<std::string>(argv, argv + argc));
    if (const auto* status = std::get_if<ExitStatus>(&parsed)) {
        return status->code;
    }
    BridgeOptions options = std::get<BridgeOptions>(parsed);
    if (options.filter && options.filter->empty()) {
        options.filter.reset();
    }

    // 1. The container, found exactly as the widget finds it.
    const Environment environment = Environment::ofProcess();
    const SharedContainer shared = SharedContainer::of(environment);
    if (!shared.path) {
        return failure(fmt::format("no shared container for the group \"{}\" (is XDG_DATA_HOME "
                                   "or HOME set?)",
                                   shared.group));
    }

    // 2. The store and the pass over it.
    TaskwarriorStore store(TaskCommand(environment, taskTimeout), options.filter, options.snapshot);
    JournalLog log(std::string(hostApplicationBundleIdentifier), "bridge");
    BusReloadChannel reload;
    BridgeCycle cycle(*shared.path, {.store = store, .log = log, .reload = reload, .now = &now});

    // 3. Once, for scripts and timers.
    if (options.once) {
        const auto report = cycle.run();
        return report ? 0 : failure(report.error().message);
    }

    // 4. Or for as long as the session runs.
    // Where Taskwarrior keeps its data; while it cannot say (a broken
    // TASKRC), where it keeps it by default.
    std::optional<std::filesystem::path> data;
    if (auto location = store.dataLocation()) {
        data = *location;
    } else if (auto fromEnvironment = environment.absolutePath("TASKDATA")) {
        data = *fromEnvironment;
    } else if (auto home = environment.absolutePath("HOME")) {
        data = *home / ".task";
    }
    BridgeDaemon daemon(cycle, {.storeData = data, .container = *shared.path}, log);
    return daemon.run();
}
