#pragma once

#include "platform/GLibOwnership.h"
#include "platform/render/TextMeasurer.h"

#include <string_view>

namespace tandry::render::detail {

// Text setup shared by the measurer and the painter: both must set a text
// the same way, or the painter would wrap or truncate differently from what
// layout measured.

// Turns off hinting and glyph-position rounding on a context, so that
// advances are the font's own at every scale.
void configureContext(PangoContext* context);

// A new font description for a font: Inter for the default and rounded
// designs, DejaVu Sans Mono for monospaced, Noto Serif for serif.
PangoFontDescriptionPtr fontDescription(const Font& font);

// Sets `text` on `layout` in `font`, wrapped to the fit's width at word
// boundaries, at most `fit.maxLines` lines with the last ending in "…".
// Pango is given the text as `shownText` prepares it.
void setText(PangoLayout* layout, std::string_view text, const Font& font, const TextFit& fit);

} // namespace tandry::render::detail
