#include "cli/ReloadCommand.h"

#include "platform/host/BusReloadChannel.h"
#include "widget/timeline/WidgetKind.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace tandry {

ReloadCommand::ReloadCommand(CLI::App& app) : kind_(readyWidgetKind) {
    command_ = app.add_subcommand("reload", "Ask the running host to reload a widget kind");
    command_->add_option("KIND", kind_, "The widget kind (default: TandryReadyWidget)");
}

bool ReloadCommand::parsed() const {
    return command_->parsed();
}

int ReloadCommand::run() const {
    BusReloadChannel().reloadTimelines(kind_);
    std::cout << "{}\n";
    return 0;
}

} // namespace tandry
