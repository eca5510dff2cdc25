#include "cli/Commands.h"

#include "cli/EntryJson.h"
#include "cli/ReloadCommand.h"
#include "cli/RenderCommand.h"
#include "cli/TickCommand.h"
#include "widget/store/SnapshotCodec.h"
#include "widget/strings/UserLanguage.h"
#include "widget/timeline/ReadyWidgetProvider.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <optional>

namespace tandry {
namespace {

constexpr int usageError = 2;

// A clock that answers --at when it was given, the system clock otherwise.
class CommandClock final : public Clock {
public:
    explicit CommandClock(std::optional<Instant> fixed) : fixed_(fixed) {}
    Instant now() const override { return fixed_ ? *fixed_ : SystemClock().now(); }

private:
    std::optional<Instant> fixed_;
};

// Checks --at values with the widget's own date reader.
std::string checkDateText(const std::string& text) {
    auto instant = parseDateText(text);
    return instant ? std::string() : instant.error().message;
}

int printJson(const Result<nlohmann::ordered_json>& value) {
    auto text = value ? dumpJson(*value) : std::unexpected(value.error());
    if (!text) {
        std::cerr << "tandry-widget: " << text.error().message << '\n';
        return 1;
    }
    std::cout << *text << '\n';
    return 0;
}

std::optional<Instant> instantOption(const std::optional<std::string>& text) {
    if (!text) {
        return std::nullopt;
    }
    return *parseDateText(*text);
}

} // namespace

int runCommandLine(int argc, char** argv) {
    // The sample card's texts follow the user's language.
    adoptUserLanguage();

    CLI::App app{"tandry-widget: the ready-tasks desktop widget of the task manager.",
                 "tandry-widget"};
    app.require_subcommand(1);

    std::optional<std::string> timelineAt;
    auto* timeline = app.add_subcommand("timeline", "Print the answer to a timeline request");
    timeline->add_option("--at", timelineAt, "Request instant, RFC 3339 (default: now)")
        ->check(checkDateText, "INSTANT");

    std::optional<std::string> snapshotAt;
    bool preview = false;
    auto* snapshot = app.add_subcommand("snapshot", "Print the answer to a snapshot request");
    snapshot->add_option("--at", snapshotAt, "Request instant, RFC 3339 (default: now)")
        ->check(checkDateText, "INSTANT");
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
    } catch (const CLI::ParseError& error) {
        std::cerr << "tandry-widget: " << error.what() << "\nRun with --help for usage.\n";
        return usageError;
    }

    if (timeline->parsed()) {
        CommandClock clock(instantOption(timelineAt));
        int status = 0;
        ReadyWidgetProvider(clock).getTimeline(
            {}, [&](Timeline answer) { status = printJson(timelineJson(answer)); });
        return status;
    }
    if (snapshot->parsed()) {
        CommandClock clock(instantOption(snapshotAt));
        int status = 0;
        ReadyWidgetProvider(clock).getSnapshot(
            {.isPreview = preview},
            [&](ReadyWidgetEntry answer) { status = printJson(entryJson(answer)); });
        return status;
    }
    if (render.parsed()) {
        return render.run();
    }
    if (tick.parsed()) {
        return tick.run();
    }
    if (reload.parsed()) {
        return reload.run();
    }
    if (placeholder->parsed()) {
        SystemClock clock;
        return printJson(entryJson(ReadyWidgetProvider(clock).placeholder({})));
    }
    return usageError;
}

} // namespace tandry
