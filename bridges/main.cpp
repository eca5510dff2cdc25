#include "bridges/BridgeDaemon.h"
#include "bridges/BridgeProgram.h"
#include "bridges/taskwarrior/TaskwarriorStore.h"
#include "widget/system/InstalledData.h"
#include "widget/system/SystemError.h"

#include <cerrno>
#include <unistd.h>

namespace {

// A `task` run longer than this is stuck (a lock held for good, a hook that
// hangs), not slow.
constexpr std::chrono::seconds taskTimeout{30};

int runTaskwarrior(const tandry::BridgeSetting& setting) {
    using namespace tandry;
    TaskwarriorStore store(TaskCommand(setting.environment, taskTimeout), setting.options.filter,
                           setting.options.snapshot);
    BridgeCycle cycle(
        setting.container,
        {.store = store, .log = setting.log, .reload = setting.reload, .now = &currentInstant});
    return runCycle(cycle, setting.options.once, [&](BridgeCycle& pass) {
        // Where Taskwarrior keeps its data; while it cannot say (a broken
        // TASKRC), where it keeps it by default.
        std::optional<std::filesystem::path> data;
        if (auto location = store.dataLocation()) {
            data = *location;
        } else if (auto fromEnvironment = setting.environment.absolutePath("TASKDATA")) {
            data = *fromEnvironment;
        } else if (auto home = setting.environment.absolutePath("HOME")) {
            data = *home / ".task";
        }
        BridgeDaemon daemon(pass, {.storeData = data, .container = setting.container}, setting.log);
        return daemon.run();
    });
}

// The desktop's task lists are bridged by a program of their own, so that
// Taskwarrior's bridge does not load the data server's client libraries.
int runEdsProgram(char** argv) {
    const auto directory = tandry::executableDirectory();
    if (!directory) {
        return tandry::reportFailure("cannot find this program's installation");
    }
    const auto program =
        (*directory / TANDRY_LIBEXEC_FROM_BIN / "tandry-widget-bridge-eds").lexically_normal();
    ::execv(program.c_str(), argv);
    return tandry::reportFailure(tandry::systemError("cannot run", program, errno).message);
}

} // namespace

int main(int argc, char** argv) {
    return tandry::runBridgeProgram(
        argc, argv, "taskwarrior", &runTaskwarrior,
        [argv](const tandry::BridgeOptions&) { return runEdsProgram(argv); });
}
