#include "bridges/BridgeCycle.h"
#include "bridges/BridgeDaemon.h"
#include "bridges/BridgeOptions.h"
#include "bridges/eds/EdsStore.h"
#include "bridges/taskwarrior/TaskwarriorStore.h"
#include "cli/BusReloadChannel.h"
#include "platform/log/JournalLog.h"
#include "widget/intents/BundleIdentifier.h"
#include "widget/store/AppGroup.h"

#include <fmt/format.h>
#include <functional>
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

// Runs one pass, or keeps running with the daemon.
int runBridge(tandry::BridgeCycle& cycle, bool once,
              const std::function<int(tandry::BridgeCycle&)>& keepRunning) {
    if (once) {
        const auto report = cycle.run();
        return report ? 0 : failure(report.error().message);
    }
    return keepRunning(cycle);
}

int runTaskwarrior(const tandry::BridgeOptions& options, const tandry::Environment& environment,
                   const std::filesystem::path& container, tandry::SystemLog& log,
                   tandry::ReloadChannel& reload) {
    using namespace tandry;
    TaskwarriorStore store(TaskCommand(environment, taskTimeout), options.filter, options.snapshot);
    BridgeCycle cycle(container, {.store = store, .log = log, .reload = reload, .now = &now});
    return runBridge(cycle, options.once, [&](BridgeCycle& pass) {
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
        BridgeDaemon daemon(pass, {.storeData = data, .container = container}, log);
        return daemon.run();
    });
}

int runEds(const tandry::BridgeOptions& options, const std::filesystem::path& container,
           tandry::SystemLog& log, tandry::ReloadChannel& reload) {
    using namespace tandry;
    EdsStore store(options.lists, options.snapshot, log);
    BridgeCycle cycle(container, {.store = store, .log = log, .reload = reload, .now = &now});
    return runBridge(cycle, options.once, [&](BridgeCycle& pass) {
        // The lists' live views say when to look again; there is no folder to watch.
        BridgeDaemon daemon(pass, {.storeData = std::nullopt, .container = container}, log);
        store.follow([&daemon] { daemon.storeChanged(); });
        return daemon.run();
    });
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

    // 2. The store, once or for as long as the session runs.
    JournalLog log(std::string(hostApplicationBundleIdentifier), "bridge");
    BusReloadChannel reload;
    if (options.source == "eds") {
        return runEds(options, *shared.path, log, reload);
    }
    return runTaskwarrior(options, environment, *shared.path, log, reload);
}
