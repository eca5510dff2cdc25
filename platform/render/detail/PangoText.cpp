#include "platform/render/detail/PangoText.h"

#include "platform/render/PlainText.h"
#include "platform/render/detail/ShownText.h"

#include <pango/pangocairo.h>
#include <string>

namespace tandry::render::detail {

void configureContext(PangoContext* context) {
    const CairoFontOptionsPtr options(cairo_font_options_create());
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(context, options.get());
    pango_context_set_round_glyph_positions(context, FALSE);
}

PangoFontDescriptionPtr fontDescription(const Font& font) {
    PangoFontDescriptionPtr owned(pango_font_description_new());
    PangoFontDescription* description = owned.get();
    // A list of families: fontconfig falls back past them for characters
    // they lack (Arabic, emoji, ...).
    switch (font.design) {
    case FontDesign::monospaced:
        pango_font_description_set_family_static(description, "DejaVu Sans Mono,monospace");
        break;
    case FontDesign::serif:
        pango_font_description_set_family_static(description, "Noto Serif,serif");
        break;
    case FontDesign::standard:
    case FontDesign::rounded:
        pango_font_description_set_family_static(description, "Inter,sans-serif");
        break;
    }
    PangoWeight weight = PANGO_WEIGHT_NORMAL;
    switch (font.weight) {
    case FontWeight::regular:
        weight = PANGO_WEIGHT_NORMAL;
        break;
    case FontWeight::medium:
        weight = PANGO_WEIGHT_MEDIUM;
        break;
    case FontWeight::semibold:
        weight = PANGO_WEIGHT_SEMIBOLD;
        break;
    case FontWeight::bold:
        weight = PANGO_WEIGHT_BOLD;
        break;
    }
    pango_font_description_set_weight(description, weight);
    // Absolute size: one user-space unit is one point, whatever the resolution.
    pango_font_description_set_absolute_size(description, font.size * PANGO_SCALE);
    return owned;
}

namespace {

// The last line a text may take holds the rest of it: Pango breaks it no
// further, but still draws each line separator left there, as a gap wider
// than a space (a glyph of some fallback font). There they show as spaces
// instead, as the breaks of a one-line text do.
void flattenLastLine(PangoLayout* layout, std::string& shown, int maxLines) {
    if (shown.find(lineSeparator) == std::string::npos ||
        pango_layout_get_line_count(layout) < maxLines) {
        return;
    }
    const auto start =
        static_cast<std::size_t>(pango_layout_get_line_readonly(layout, maxLines - 1)->start_index);
    std::string flattened = shown.substr(0, start);
    for (std::size_t offset = start; offset < shown.size();) {
        if (shown.compare(offset, lineSeparator.size(), lineSeparator) == 0) {
            flattened += ' ';
            offset += lineSeparator.size();
        } else {
            flattened += shown[offset++];
        }
    }
    if (flattened.size() != shown.size()) {
        shown = std::move(flattened);
        pango_layout_set_text(layout, shown.data(), static_cast<int>(shown.size()));
    }
}

} // namespace

void setText(PangoLayout* layout, std::string_view text, const Font& font, const TextFit& fit) {
    pango_layout_set_font_description(layout, fontDescription(font).get());
    pango_layout_set_auto_dir(layout, TRUE);
    pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_width(layout, fit.width ? pango_units_from_double(*fit.width) : -1);
    ShownText shown = shownText(text, font, fit);
    // A negative height counts the lines of a paragraph, and the shown text
    // is one paragraph; the last line kept is ellipsized.
    pango_layout_set_height(layout, -shown.maxLines);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    pango_layout_set_text(layout, shown.text.data(), static_cast<int>(shown.text.size()));
    if (shown.maxLines > 1) {
        flattenLastLine(layout, shown.text, shown.maxLines);
    }
}

} // namespace tandry::render::detail

// The leak checker of sanitizer builds asks this hook for leaks to ignore.
// Pango's font map keeps the font patterns that fontconfig matched for the
// life of the process, in caches the checker cannot see into; they are not
// ours to free, and reporting them would fail every program that draws text.
extern "C" __attribute__((used, visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
