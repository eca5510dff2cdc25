#include "cli/TickCommand.h"

#include "platform/host/BusReloadChannel.h"
#include "platform/log/JournalLog.h"
#include "widget/intents/IntentServices.h"
#include "widget/intents/TickReadyTaskIntent.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace tandry {

TickCommand::TickCommand(CLI::App& app) {
    command_ = app.add_subcommand("tick", "Tick a task: park it and ask the host to reload");
    // Any text is accepted: the intent itself ignores text that is no task id.
    command_->add_option("TASK-ID", taskID_, "The task's id, UUID text")->required();
}

bool TickCommand::parsed() const {
    return command_->parsed();
}

int TickCommand::run() const {
    const SystemClock clock;
    BusReloadChannel reloadChannel;
    const IntentServices services{clock, widgetLog(), reloadChannel};
    TickReadyTaskIntent(taskID_).perform(services);
    std::cout << "{}\n";
    return 0;
}

} // namespace tandry
