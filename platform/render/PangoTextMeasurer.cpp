#include "platform/render/PangoTextMeasurer.h"

#include "platform/render/detail/PangoText.h"

#include <algorithm>
#include <pango/pangocairo.h>

namespace tandry::render {

PangoTextMeasurer::PangoTextMeasurer()
    : context_(pango_font_map_create_context(pango_cairo_font_map_get_default())) {
    detail::configureContext(context_.get());
    layout_.reset(pango_layout_new(context_.get()));
}

MeasuredText PangoTextMeasurer::measure(std::string_view text, const Font& font,
                                        const TextFit& fit) {
    detail::setText(layout_.get(), text, font, fit);
    PangoRectangle logical;
    pango_layout_get_extents(layout_.get(), nullptr, &logical);
    return {.size = {pango_units_to_double(logical.width), pango_units_to_double(logical.height)},
            .lineCount = pango_layout_get_line_count(layout_.get())};
}

FontMetrics PangoTextMeasurer::metrics(const Font& font) {
    const auto key = std::make_tuple(font.size, font.weight, font.design);
    if (const auto found = metricsCache_.find(key); found != metricsCache_.end()) {
        return found->second;
    }
    const PangoFontMetricsPtr pangoMetrics(
        pango_context_get_metrics(context_.get(), detail::fontDescription(font).get(), nullptr));
    FontMetrics metrics;
    metrics.ascent = pango_units_to_double(pango_font_metrics_get_ascent(pangoMetrics.get()));
    metrics.descent = pango_units_to_double(pango_font_metrics_get_descent(pangoMetrics.get()));
    metrics.lineGap =
        std::max(0.0, pango_units_to_double(pango_font_metrics_get_height(pangoMetrics.get())) -
                          metrics.lineHeight());

    // Pango has no cap height; the ink of a capital H is exactly that tall.
    detail::setText(layout_.get(), "H", font, {});
    PangoRectangle ink;
    pango_layout_get_extents(layout_.get(), &ink, nullptr);
    metrics.capHeight = pango_units_to_double(ink.height);

    metricsCache_.emplace(key, metrics);
    return metrics;
}

int PangoTextMeasurer::unknownGlyphCount(std::string_view text, const Font& font) {
    detail::setText(layout_.get(), text, font, {});
    return pango_layout_get_unknown_glyphs_count(layout_.get());
}

} // namespace tandry::render
