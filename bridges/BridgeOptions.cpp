#include "bridges/BridgeOptions.h"

#include "widget/app/Version.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace tandry {
namespace {

constexpr int usageError = 2;

} // namespace

std::ostream& operator<<(std::ostream& out, const BridgeOptions& options) {
    out << "{" << options.source << (options.once ? " --once" : "") << " --filter "
        << options.filter.value_or("(none)");
    for (const std::string& list : options.lists) {
        out << " --list " << list;
    }
    return out << " --limit " << options.snapshot.limit << " --palette " << options.snapshot.palette
               << "}";
}

ParsedCommandLine parseBridgeCommandLine(const std::vector<std::string>& arguments) {
    CLI::App app{"tandry-widget-bridge: publishes a task store's ready tasks for the "
                 "ready-tasks widget and applies the ticks made on the card.",
                 "tandry-widget-bridge"};
    app.set_version_flag("--version", "tandry-widget-bridge " + std::string(widgetVersion));
    app.require_subcommand(1);

    BridgeOptions options;
    // The options every store takes.
    const auto addSnapshotOptions = [&options](CLI::App* store) {
        store->add_flag("--once", options.once, "Publish and apply the ticks once, then exit")
            ->disable_flag_override();
        store
            ->add_option("--limit", options.snapshot.limit,
                         "How many tasks the snapshot lists (default 20)")
            ->check(CLI::Range(std::int64_t{0}, std::int64_t{1000}));
        store->add_option("--palette", options.snapshot.palette, "The card's colour (default blue)")
            ->check([](const std::string& name) {
                return name.empty() ? std::string("the palette must have a name") : std::string();
            });
    };
    auto* taskwarrior = app.add_subcommand("taskwarrior", "Bridge Taskwarrior's +READY tasks");
    addSnapshotOptions(taskwarrior);
    taskwarrior->add_option("--filter", options.filter,
                            "Taskwarrior filter that listed tasks must also match");
    auto* eds =
        app.add_subcommand("eds", "Bridge the desktop's task lists (Evolution Data Server)");
    addSnapshotOptions(eds);
    eds->add_option("--list", options.lists,
                    "A task list to show, by name or UID (repeat for more; default: every "
                    "enabled list)")
        ->allow_extra_args(false)
        ->check([](const std::string& name) {
            return name.empty() ? std::string("a task list must have a name") : std::string();
        });

    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend() - 1);
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp& help) {
        return ExitStatus{app.exit(help)};
    } catch (const CLI::CallForVersion& version) {
        return ExitStatus{app.exit(version)};
    } catch (const CLI::ParseError& error) {
        std::cerr << "tandry-widget-bridge: " << error.what() << "\nRun with --help for usage.\n";
        return ExitStatus{usageError};
    }
    options.source = eds->parsed() ? "eds" : "taskwarrior";
    return options;
}

} // namespace tandry
