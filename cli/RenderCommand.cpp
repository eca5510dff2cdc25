#include "cli/RenderCommand.h"

#include "cli/OptionValues.h"

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

} // namespace

RenderCommand::RenderCommand(CLI::App& app) {
    command_ = app.add_subcommand("render", "Draw the card for an entry into a file");
    command_->add_option("--family", request_.family, "Widget size (default: medium)")
        ->transform(namedValue<WidgetFamily>(familyNamed, "{small,medium,large}"));
    command_->add_option("--scheme", request_.scheme, "Appearance (default: light)")
        ->transform(namedValue<ColorScheme>(schemeNamed, "{light,dark}"));
    command_
        ->add_option("--entry", request_.entry,
                     "The request to draw the answer of (default: timeline)")
        ->transform(
            namedValue<EntryRequest>(entryRequestNamed, "{timeline,snapshot,preview,placeholder}"));
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
