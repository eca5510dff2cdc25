#include "cli/TickCommand.h"

#include "cli/BusReloadChannel.h"
#include "platform/log/JournalLog.h"
#include "widget/intents/BundleIdentifier.h"
#include "widget/intents/IntentServices.h"
#include "widget/intents/TickReadyTaskIntent.h"
#include "widget/store/AppGroup.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <sstream>

namespace tandry {
namespace {

// The widget's log for one tick, which also keeps the last entry so that the
// command can report a tick it could not park. Where no journal runs, the
// command's own report is the entry's one line on standard error, so the
// log's fallback line is not written as well.
class ReportingLog final : public SystemLog {
public:
    bool acceptsErrors() const override { return true; }

    void error(std::string_view message) override {
        journal_.error(message);
        lastEntry = std::string(message);
    }

    std::optional<std::string> lastEntry;

private:
    std::ostringstream withoutJournal_;
    JournalLog journal_{std::string(hostApplicationBundleIdentifier),
                        std::string(widgetLogCategory), withoutJournal_};
};

} // namespace

TickCommand::TickCommand(CLI::App& app) {
    command_ = app.add_subcommand("tick", "Tick a task: park it and ask the host to reload");
    // Any text is accepted: the intent itself ignores text that is no task id.
    command_->add_option("TASK-ID", taskID_, "The task's id, UUID text")->required();
}

bool TickCommand::parsed() const {
    return command_->parsed();
}

int TickCommand::run(const std::optional<std::filesystem::path>& container) const {
    const SystemClock clock;
    BusReloadChannel reloadChannel;
    ReportingLog log;
    const IntentServices services{clock, log, reloadChannel, container};
    TickReadyTaskIntent(taskID_).perform(services);
    // The intent logs nothing but a tick it could not park.
    if (log.lastEntry) {
        std::cerr << "tandry-widget: " << *log.lastEntry << '\n';
        return 1;
    }
    // Without a container the intent parks nothing and, as on the card, logs
    // nothing; a person or a script that asked for the tick is told.
    if (parseUuidText(taskID_) && !existingContainer(container)) {
        std::cerr << "tandry-widget: nothing ticked: "
                  << (container ? "there is no shared container at " + container->string() +
                                      " (the task manager creates it)"
                                : std::string("there is no shared container: the application "
                                              "group is no plain directory name, or no home "
                                              "directory is known"))
                  << '\n';
        return 1;
    }
    std::cout << "{}\n";
    return 0;
}

} // namespace tandry
