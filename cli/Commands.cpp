#include "cli/Commands.h"

#include "cli/CommandClock.h"
#include "cli/EntryJson.h"
#include "cli/OptionValues.h"
#include "cli/ReloadCommand.h"
#include "cli/RenderCommand.h"
#include "cli/TickCommand.h"
#include "widget/app/Version.h"
#include "widget/store/AppGroup.h"
#include "widget/strings/UserLanguage.h"
#include "widget/timeline/ReadyWidgetProvider.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>

namespace tandry {
namespace {

constexpr int usageError = 2;

int printJson(const Result<std::string>& text) {
    if (!text) {
        std::cerr << "tandry-widget: " << text.error().message << '\n';
        return 1;
    }
    std::cout << *text << '\n';
    return 0;
}

// A command whose answer did not reach standard output (a full disk, a closed
// pipe, /dev/full) has not answered: it exits 1 and says so.
int finishStandardOutput(int status) {
    // The first flush that fails tells why; the stream keeps only that it failed.
    errno = 0;
    std::cout.flush();
    int error = errno;
    if (std::fflush(stdout) != 0 && error == 0) {
        error = errno;
    }
    if (!std::ferror(stdout) && std::cout.good()) {
        return status;
    }
    std::cerr << "tandry-widget: cannot write the answer to standard output";
    if (error != 0) {
        std::cerr << ": " << std::strerror(error);
    }
    std::cerr << '\n';
    return status == 0 ? 1 : status;
}

int runCommand(int argc, char** argv, const Environment& environment,
               const RenderRunner& runRender) {
    // The sample card's texts follow the user's language.
    adoptUserLanguage(environment);

    CLI::App app{"tandry-widget: the ready-tasks desktop widget of the task manager.",
                 "tandry-widget"};
    app.footer("The card itself is shown on the desktop by tandry-widget-host.");
    app.set_version_flag("--version", "tandry-widget " + std::string(widgetVersion));
    app.require_subcommand(1);

    std::optional<Instant> timelineAt;
    auto* timeline = app.add_subcommand("timeline", "Print the answer to a timeline request");
    addInstantOption(*timeline, timelineAt);

    std::optional<Instant> snapshotAt;
    bool preview = false;
    auto* snapshot = app.add_subcommand("snapshot", "Print the answer to a snapshot request");
    addInstantOption(*snapshot, snapshotAt);
    snapshot->add_flag("--preview", preview, "Ask as the widget gallery does (a preview)")
        ->disable_flag_override();

    auto* placeholder = app.add_subcommand("placeholder", "Print the placeholder entry");

    RenderCommand render(app);
    TickCommand tick(app);
    ReloadCommand reload(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForAllHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForVersion& version) {
        return app.exit(version);
    } catch (const CLI::ParseError& error) {
        std::cerr << "tandry-widget: " << error.what() << "\nRun with --help for usage.\n";
        return usageError;
    }

    if (timeline->parsed()) {
        const CommandClock clock(timelineAt);
        int status = 0;
        ReadyWidgetProvider(clock, SharedContainer::of(environment).path).getTimeline(
            {}, [&](Timeline answer) { status = printJson(timelineJson(answer)); });
        return status;
    }
    if (snapshot->parsed()) {
        const CommandClock clock(snapshotAt);
        int status = 0;
        ReadyWidgetProvider(clock, SharedContainer::of(environment).path).getSnapshot(
            {.isPreview = preview},
            [&](ReadyWidgetEntry answer) { status = printJson(entryJson(answer)); });
        return status;
    }
    if (render.parsed()) {
        return runRender(render.request(), environment);
    }
    if (tick.parsed()) {
        return tick.run(SharedContainer::of(environment).path);
    }
    if (reload.parsed()) {
        return reload.run();
    }
    if (placeholder->parsed()) {
        const SystemClock clock;
        return printJson(entryJson(ReadyWidgetProvider(clock, std::nullopt).placeholder({})));
    }
    return usageError;
}

} // namespace

int runCommandLine(int argc, char** argv, const Environment& environment,
                   const RenderRunner& runRender) {
    return finishStandardOutput(runCommand(argc, argv, environment, runRender));
}

} // namespace tandry
