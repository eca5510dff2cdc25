#include "platform/host/HostOptions.h"

#include "platform/host/NamedValue.h"
#include "widget/app/Version.h"
#include "widget/ui/WidgetFamily.h"

#include <CLI/CLI.hpp>

namespace tandry {
namespace {

constexpr NameTable<SchemeChoice, 3> schemes{{
    {"auto", SchemeChoice::automatic},
    {"light", SchemeChoice::light},
    {"dark", SchemeChoice::dark},
}};

constexpr NameTable<StartAtLogin, 2> startAtLoginChoices{{
    {"on", StartAtLogin::on},
    {"off", StartAtLogin::off},
}};

// An empty --output would leave a headless host nowhere to write.
std::string checkOutput(const std::string& text) {
    return text.empty() ? "an empty name names no directory" : "";
}

// Written cards take 0.5 to 8 device pixels per point; NaN is none of them.
std::string checkScale(const std::string& text) {
    double scale = 0;
    if (!CLI::detail::lexical_cast(text, scale) || !(scale >= 0.5 && scale <= 8)) {
        return "the scale must be a number from 0.5 to 8";
    }
    return {};
}

} // namespace

std::variant<HostOptions, int> parseHostOptions(int argc, char** argv, std::ostream& errors) {
    CLI::App app{"tandry-widget-host: shows the ready-tasks widget on the desktop.",
                 "tandry-widget-host"};
    HostOptions options;
    std::filesystem::path output;

    app.footer("Without --family, the widgets of the last run come back (one medium widget the "
               "first time). tandry-widget answers the widget's requests on the command line.");
    app.set_version_flag("--version", "tandry-widget-host " + std::string(widgetVersion));

    app.add_option("--family", options.families,
                   "A widget to place: small, medium or large (repeatable)")
        ->transform(namedValue<WidgetFamily>(familyNamed, "{small,medium,large}"));
    app.add_option("--scheme", options.scheme, "Appearance: auto (the desktop's), light or dark")
        ->transform(namedValue(schemes));
    CLI::Option* outputOption =
        app.add_option("--output", output, "Write each card here as PNG (and JSON) on every load")
            ->type_name("DIR")
            ->check(checkOutput);
    app.add_flag("--headless", options.headless, "No windows; write the cards to --output")
        ->needs(outputOption);
    app.add_option("--scale", options.outputScale, "Pixels per point of written cards (default 2)")
        ->check(checkScale, "N");
    app.add_option("--autostart", options.startAtLogin,
                   "Start the widget when you log in: on or off")
        ->transform(namedValue(startAtLoginChoices));
    app.add_flag("--gapplication-service", options.service, "Started by the session bus")
        ->group("");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            return app.exit(error);
        }
        errors << "tandry-widget-host: " << error.what() << "\nRun with --help for usage.\n";
        return 2;
    }
    if (!output.empty()) {
        options.output = std::filesystem::absolute(output);
    }
    return options;
}

std::ostream& operator<<(std::ostream& out, const HostOptions& options) {
    constexpr const char* schemeWords[] = {"automatic", "light", "dark"};
    constexpr const char* startAtLoginWords[] = {"on", "off"};
    out << "families [";
    for (const WidgetFamily family : options.families) {
        out << ' ' << family;
    }
    out << " ], scheme " << schemeWords[static_cast<int>(options.scheme)] << ", scale "
        << options.outputScale;
    if (options.headless) {
        out << ", headless";
    }
    if (options.output) {
        out << ", output " << options.output->string();
    }
    if (options.service) {
        out << ", started by the session bus";
    }
    if (options.startAtLogin) {
        out << ", start at login " << startAtLoginWords[static_cast<int>(*options.startAtLogin)];
    }
    return out;
}

} // namespace tandry
