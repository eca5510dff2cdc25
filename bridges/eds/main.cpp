// The bridge to the desktop's task lists, which `tandry-widget-bridge eds`
// runs in its place with the same command line.
#include "bridges/BridgeDaemon.h"
#include "bridges/BridgeProgram.h"
#include "bridges/eds/EdsStore.h"

namespace {

int runEds(const tandry::BridgeSetting& setting) {
    using namespace tandry;
    EdsStore store(setting.options.lists, setting.options.snapshot, setting.log);
    BridgeCycle cycle(
        setting.container,
        {.store = store, .log = setting.log, .reload = setting.reload, .now = &currentInstant});
    return runCycle(cycle, setting.options.once, [&](BridgeCycle& pass) {
        // The lists' live views say when to look again; there is no folder to watch.
        BridgeDaemon daemon(pass, {.storeData = std::nullopt, .container = setting.container},
                            setting.log);
        store.follow([&daemon] { daemon.storeChanged(); });
        return daemon.run();
    });
}

} // namespace

int main(int argc, char** argv) {
    return tandry::runBridgeProgram(argc, argv, "eds", &runEds, [](const tandry::BridgeOptions&) {
        return tandry::reportFailure("this program bridges only the desktop's task lists (eds)");
    });
}
