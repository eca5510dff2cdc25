#pragma once

#include "widget/store/Instant.h"
#include "widget/ui/ColorScheme.h"
#include "widget/ui/WidgetFamily.h"

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace tandry {

// `tandry-widget render`: draws the card for an entry as the host would, at
// a family, colour scheme and scale, into a PNG, SVG, PDF or (for the
// laid-out tree) JSON file chosen by the output's extension.
class RenderCommand {
public:
    // The request whose answer is drawn.
    enum class EntryRequest { timeline, snapshot, preview, placeholder };

    // Adds the subcommand and its options to `app`; the values land here, so
    // the command must outlive the parse.
    explicit RenderCommand(CLI::App& app);

    bool parsed() const;

    // Builds, lays out and writes the card; the exit status: 0 when the file
    // was written, 1 when it could not be (with the reason on standard error).
    int run() const;

private:
    CLI::App* command_ = nullptr;
    WidgetFamily family_ = WidgetFamily::systemMedium;
    ColorScheme scheme_ = ColorScheme::light;
    EntryRequest entry_ = EntryRequest::timeline;
    std::optional<Instant> at_;
    double scale_ = 2;
    std::string output_;
};

} // namespace tandry
