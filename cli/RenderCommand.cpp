#include "cli/RenderCommand.h"

#include "platform/render/CardLayout.h"
#include "platform/render/CardOutput.h"
#include "platform/render/CardSize.h"
#include "platform/render/LayoutDirection.h"
#include "platform/render/PangoTextMeasurer.h"
#include "widget/timeline/ReadyWidgetProvider.h"
#include "widget/views/IcuDueDateFormat.h"
#include "widget/views/ReadyWidgetView.h"

#include <CLI/CLI.hpp>
#include <array>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <utility>

namespace tandry {
namespace {

// A PNG at a larger scale would need hundreds of megabytes.
constexpr double largestScale = 8;

constexpr std::array<std::pair<const char*, WidgetFamily>, 3> families{{
    {"small", WidgetFamily::systemSmall},
    {"medium", WidgetFamily::systemMedium},
    {"large", WidgetFamily::systemLarge},
}};

constexpr std::array<const char*, 4> outputExtensions{".png", ".svg", ".pdf", ".json"};

// The instant of --at when given, the system clock otherwise.
class RenderClock final : public Clock {
public:
    explicit RenderClock(std::optional<Instant> fixed) : fixed_(fixed) {}
    Instant now() const override { return fixed_ ? *fixed_ : SystemClock().now(); }

private:
    std::optional<Instant> fixed_;
};

std::string checkDate(const std::string& text) {
    auto instant = parseDateText(text);
    return instant ? std::string() : instant.error().message;
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

WidgetFamily familyNamed(const std::string& name) {
    for (const auto& [familyName, family] : families) {
        if (name == familyName) {
            return family;
        }
    }
    return WidgetFamily::systemMedium;
}

// The entry the host would draw for the request that --entry names.
ReadyWidgetEntry requestedEntry(const std::string& kind, const Clock& clock) {
    const ReadyWidgetProvider provider(clock);
    if (kind == "placeholder") {
        return provider.placeholder({});
    }
    ReadyWidgetEntry entry;
    if (kind == "timeline") {
        provider.getTimeline({}, [&](Timeline timeline) {
            if (!timeline.entries.empty()) {
                entry = std::move(timeline.entries.front());
            }
        });
    } else {
        provider.getSnapshot({.isPreview = kind == "preview"},
                             [&](ReadyWidgetEntry answer) { entry = std::move(answer); });
    }
    return entry;
}

} // namespace

RenderCommand::RenderCommand(CLI::App& app) {
    command_ = app.add_subcommand("render", "Draw the card for an entry into a file");
    command_->add_option("--family", family_, "Widget size (default: medium)")
        ->check(CLI::IsMember({"small", "medium", "large"}));
    command_->add_option("--scheme", scheme_, "Appearance (default: light)")
        ->check(CLI::IsMember({"light", "dark"}));
    command_->add_option("--entry", entry_, "The request to draw the answer of (default: timeline)")
        ->check(CLI::IsMember({"timeline", "snapshot", "preview", "placeholder"}));
    command_->add_option("--at", at_, "Request instant, RFC 3339 (default: now)")
        ->check(checkDate, "INSTANT");
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
    using namespace render;

    // 1. The text measurer first: Pango reads the font configuration on a
    //    thread of its own, while this one loads the entry.
    PangoTextMeasurer measurer;

    // 2. The entry, as the provider answers the request at --at.
    const RenderClock clock(at_ ? std::optional<Instant>(*parseDateText(*at_)) : std::nullopt);
    const ReadyWidgetEntry entry = requestedEntry(entry_, clock);

    // 3. The view's tree, with due dates in the user's locale and time zone.
    const ColorScheme scheme = scheme_ == "dark" ? ColorScheme::dark : ColorScheme::light;
    const WidgetFamily family = familyNamed(family_);
    const Element tree = ReadyWidgetView{family, scheme, entry}.body(IcuDueDateFormat::current());

    // 4. Laid out in the family's size, mirrored for right-to-left languages.
    const LaidOutCard card = layoutCard(tree, cardSize(family), measurer,
                                        LayoutOptions{scale_, layoutDirectionFromEnvironment()});

    // 5. Written in the format of the file's extension.
    if (Result<void> written = writeCard(card, output_, RenderOptions{scale_, scheme}); !written) {
        std::cerr << "tandry-widget: " << written.error().message << '\n';
        return 1;
    }
    return 0;
}

} // namespace tandry
