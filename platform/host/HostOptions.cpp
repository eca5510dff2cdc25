#include "platform/host/HostOptions.h"

#include "widget/app/Version.h"
#include "widget/ui/WidgetFamily.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <iostream>

namespace tandry {

std::variant<HostOptions, int> parseHostOptions(int argc, char** argv) {
    CLI::App app{"tandry-widget-host: shows the ready-tasks widget on the desktop.",
                 "tandry-widget-host"};
    std::vector<std::string> families;
    std::string scheme = "auto";
    std::string output;
    std::string autostart;
    HostOptions options;

    app.footer("Without --family, the widgets of the last run come back (one medium widget the "
               "first time). tandry-widget answers the widget's requests on the command line.");
    app.set_version_flag("--version", "tandry-widget-host " + std::string(widgetVersion));

    app.add_option("--family", families, "A widget to place: small, medium or large (repeatable)")
        ->check(CLI::IsMember({"small", "medium", "large"}));
    app.add_option("--scheme", scheme, "Appearance: auto (the desktop's), light or dark")
        ->check(CLI::IsMember({"auto", "light", "dark"}));
    app.add_flag("--headless", options.headless, "No windows; write the cards to --output");
    app.add_option("--output", output, "Write each card here as PNG (and JSON) on every load");
    app.add_option("--scale", options.outputScale, "Pixels per point of written cards (default 2)")
        ->check(CLI::Range(0.5, 8.0));
    app.add_option("--autostart", autostart, "Start the widget when you log in: on or off")
        ->check(CLI::IsMember({"on", "off"}));
    app.add_flag("--gapplication-service", options.service, "Started by the session bus")
        ->group("");

    try {
        app.parse(argc, argv);
        if (options.headless && output.empty()) {
            throw CLI::ValidationError("--headless", "needs --output DIR");
        }
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            return app.exit(error);
        }
        std::cerr << "tandry-widget-host: " << error.what() << "\nRun with --help for usage.\n";
        return 2;
    }

    for (const std::string& name : families) {
        options.families.push_back(*familyNamed(name));
    }
    options.scheme = scheme == "light"  ? SchemeChoice::light
                     : scheme == "dark" ? SchemeChoice::dark
                                        : SchemeChoice::automatic;
    if (!autostart.empty()) {
        options.startAtLogin = autostart == "on" ? StartAtLogin::on : StartAtLogin::off;
    }
    if (!output.empty()) {
        options.output = std::filesystem::absolute(output);
    }
    return options;
}

} // namespace tandry
