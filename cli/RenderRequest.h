#pragma once

#include "widget/system/Instant.h"
#include "widget/ui/ColorScheme.h"
#include "widget/ui/WidgetFamily.h"

#include <optional>
#include <string>

namespace tandry {

// What `tandry-widget render` was asked to draw, as its options read.
struct RenderRequest {
    // The request whose answer is drawn.
    enum class Entry { timeline, snapshot, preview, placeholder };

    WidgetFamily family = WidgetFamily::systemMedium;
    ColorScheme scheme = ColorScheme::light;
    Entry entry = Entry::timeline;
    std::optional<Instant> at;
    // Device pixels per point of a PNG.
    double scale = 2;
    // The file; its extension picks the format.
    std::string output;
};

} // namespace tandry
