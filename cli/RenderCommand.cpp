#include "cli/RenderCommand.h"

#include "cli/OptionValues.h"
#include "platform/host/NamedValue.h"

#include <CLI/CLI.hpp>
#include <array>
#include <cmath>
#include <filesystem>
#include <iostream>

namespace tandry {
namespace {

using EntryRequest = RenderRequest::Entry;

// A PNG at a larger scale would need hundreds of megabytes.
constexpr double largestScale = 8;

constexpr std::array<const char*, 4> outputExtensions{".png", ".svg", ".pdf", ".json"};

constexpr NameTable<ColorScheme, 2> schemes{{
    {"light", ColorScheme::light},
    {"dark", ColorScheme::dark},
}};

constexpr NameTable<EntryRequest, 4> entryRequests{{
    {"timeline", EntryRequest::timeline},
    {"snapshot", EntryRequest::snapshot},
    {"preview", EntryRequest::preview},
    {"placeholder", EntryRequest::placeholder},
}};

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

} // namespace

RenderCommand::RenderCommand(CLI::App& app) {
    command_ = app.add_subcommand("render", "Draw the card for an entry into a file");
    command_->add_option("--family", request_.family, "Widget size (default: medium)")
        ->transform(namedValue<WidgetFamily>(familyNamed, "{small,medium,large}"));
    command_->add_option("--scheme", request_.scheme, "Appearance (default: light)")
        ->transform(namedValue(schemes));
    command_
        ->add_option("--entry", request_.entry,
                     "The request to draw the answer of (default: timeline)")
        ->transform(namedValue(entryRequests));
    addInstantOption(*command_, request_.at);
    command_->add_option("--scale", request_.scale, "Device pixels per point of a PNG (default: 2)")
        ->check(checkScale, "N");
    command_->add_option("-o,--output", request_.output, "The file: .png, .svg, .pdf or .json")
        ->required()
        ->check(checkOutput, "FILE");
}

bool RenderCommand::parsed() const {
    return command_->parsed();
}

} // namespace tandry
