#include "cli/RenderCommand.h"

#include "cli/CommandClock.h"
#include "cli/OptionValues.h"
#include "platform/render/CardOutput.h"
#include "platform/render/CardRenderer.h"
#include "widget/app/TandryReadyWidget.h"
#include "widget/timeline/ReadyWidgetProvider.h"

#include <CLI/CLI.hpp>
#include <array>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <utility>

namespace tandry {
namespace {

using EntryRequest = RenderCommand::EntryRequest;

// A PNG at a larger scale would need hundreds of megabytes.
constexpr double largestScale = 8;

constexpr std::array<const char*, 4> outputExtensions{".png", ".svg", ".pdf", ".json"};

// Looks `name` up in a table of names and values.
template <typename Value, std::size_t size>
std::optional<Value> lookUp(const std::array<std::pair<std::string_view, Value>, size>& table,
                            std::string_view name) {
    for (const auto& [known, value] : table) {
        if (name == known) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<ColorScheme> schemeNamed(std::string_view name) {
    constexpr std::array<std::pair<std::string_view, ColorScheme>, 2> schemes{{
        {"light", ColorScheme::light},
        {"dark", ColorScheme::dark},
    }};
    return lookUp(schemes, name);
}

std::optional<EntryRequest> entryRequestNamed(std::string_view name) {
    constexpr std::array<std::pair<std::string_view, EntryRequest>, 4> requests{{
        {"timeline", EntryRequest::timeline},
        {"snapshot", EntryRequest::snapshot},
        {"preview", EntryRequest::preview},
        {"placeholder", EntryRequest::placeholder},
    }};
    return lookUp(requests, name);
}

std::string checkScale(const std::string& text) {
    double scale = 0;
    if (!CLI::detail::lexical_cast(text, scale) || !std::isfinite(scale) || scale <= 0 ||
        scale > largestScale) {
        return "the scale must be a number above 0 and at most 8";
    }
    return {};
}

std::string checkOutput(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    for (const char* known : outputExtensions) {
        if (extension == known) {
            return {};
        }
    }
    return "the output file must end in .png, .svg, .pdf or .json";
}

// The entry the host would draw for the request.
ReadyWidgetEntry requestedEntry(EntryRequest request, const Clock& clock) {
    const ReadyWidgetProvider provider(clock);
    if (request == EntryRequest::placeholder) {
        return provider.placeholder({});
    }
    ReadyWidgetEntry entry;
    if (request == EntryRequest::timeline) {
        provider.getTimeline({}, [&](Timeline timeline) {
            if (!timeline.entries.empty()) {
                entry = std::move(timeline.entries.front());
            }
        });
    } else {
        provider.getSnapshot({.isPreview = request == EntryRequest::preview},
                             [&](ReadyWidgetEntry answer) { entry = std::move(answer); });
    }
    return entry;
}

} // namespace

RenderCommand::RenderCommand(CLI::App& app) {
    command_ = app.add_subcommand("render", "Draw the card for an entry into a file");
    command_->add_option("--family", family_, "Widget size (default: medium)")
        ->transform(namedValue<WidgetFamily>(familyNamed, "{small,medium,large}"));
    command_->add_option("--scheme", scheme_, "Appearance (default: light)")
        ->transform(namedValue<ColorScheme>(schemeNamed, "{light,dark}"));
    command_->add_option("--entry", entry_, "The request to draw the answer of (default: timeline)")
        ->transform(
            namedValue<EntryRequest>(entryRequestNamed, "{timeline,snapshot,preview,placeholder}"));
    addInstantOption(*command_, at_);
    command_->add_option("--scale", scale_, "Device pixels per point of a PNG (default: 2)")
        ->check(checkScale, "N");
    command_->add_option("-o,--output", output_, "The file: .png, .svg, .pdf or .json")
        ->required()
        ->check(checkOutput, "FILE");
}

bool RenderCommand::parsed() const {
    return command_->parsed();
}

int RenderCommand::run() const {
    // 1. The renderer first: Pango reads the font configuration on a thread
    //    of its own, while this one loads the entry.
    CardRenderer renderer;

    // 2. The entry, as the provider answers the request at --at.
    const ReadyWidgetEntry entry = requestedEntry(entry_, CommandClock(at_));

    // 3. The card as the host draws it, with due dates in the user's locale
    //    and time zone, mirrored for right-to-left languages.
    const render::LaidOutCard card =
        renderer.render(TandryReadyWidget().body(), entry, family_, scheme_, scale_);

    // 4. Written in the format of the file's extension.
    if (Result<void> written = render::writeCard(card, output_, {scale_, scheme_}); !written) {
        std::cerr << "tandry-widget: " << written.error().message << '\n';
        return 1;
    }
    return 0;
}

} // namespace tandry
