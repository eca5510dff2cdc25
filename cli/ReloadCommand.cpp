#include "cli/ReloadCommand.h"

#include "cli/BusReloadChannel.h"
#include "widget/timeline/WidgetKind.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <simdjson.h>

namespace tandry {

ReloadCommand::ReloadCommand(CLI::App& app) : kind_(readyWidgetKind) {
    command_ = app.add_subcommand("reload", "Ask the running host to reload a widget kind");
    // The kind travels over the session bus as a string, which must be UTF-8:
    // other bytes are refused here rather than sent as a malformed call.
    const CLI::Validator utf8Text(
        [](const std::string& text) -> std::string {
            return simdjson::validate_utf8(text) ? std::string() : "the kind must be UTF-8 text";
        },
        "UTF-8");
    command_->add_option("KIND", kind_, "The widget kind (default: TandryReadyWidget)")
        ->check(utf8Text);
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
