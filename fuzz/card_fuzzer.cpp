// Feeds arbitrary bytes through the whole path a widget host takes from a
// snapshot file to pixels: decode, the widget's view, layout with Pango's
// measurements, and painting the small card on an image. Every snapshot the
// decoder accepts must come out as a card with finite, non-negative frames,
// and fast: scripts/fuzz gives each input a time limit, so a text whose cost
// grows with its length shows up as a timeout.

#include "platform/render/CardOutput.h"
#include "platform/render/CardRenderer.h"
#include "widget/app/TandryReadyWidget.h"
#include "widget/store/SnapshotCodec.h"
#include "widget/timeline/ReadyWidgetEntry.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool isSoundFrame(const tandry::render::Rect& frame) {
    return std::isfinite(frame.origin.x) && std::isfinite(frame.origin.y) &&
           std::isfinite(frame.size.width) && std::isfinite(frame.size.height) &&
           frame.size.width >= 0 && frame.size.height >= 0;
}

bool hasSoundFrames(const tandry::render::LaidOutElement& element) {
    if (!isSoundFrame(element.frame)) {
        return false;
    }
    for (const tandry::render::LaidOutElement& child : element.children) {
        if (!hasSoundFrames(child)) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The renderer loads fonts and the date format once, as a host does.
    static tandry::CardRenderer renderer("en_US_POSIX", tandry::LayoutDirection::leftToRight);
    static const tandry::StaticConfiguration configuration = tandry::TandryReadyWidget().body();
    static const tandry::Instant now = *tandry::parseDateText("2026-12-05T09:30:00Z");

    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto snapshot = tandry::decodeSnapshot(bytes);
    if (!snapshot) {
        return 0;
    }
    // A ready entry whatever the snapshot's expiry: the texts are what is
    // searched here, and an expired snapshot would show none of them.
    const tandry::ReadyWidgetEntry entry{now,
                                         tandry::ReadyWidgetState::ready(std::move(*snapshot))};
    const tandry::render::LaidOutCard card = renderer.render(
        configuration, entry, tandry::WidgetFamily::systemSmall, tandry::ColorScheme::light, 1);
    if (!hasSoundFrames(card.root)) {
        std::abort();
    }
    tandry::CairoSurfacePtr image =
        tandry::render::paintImage(card, {1, tandry::ColorScheme::light});
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) {
        std::abort();
    }
    return 0;
}
