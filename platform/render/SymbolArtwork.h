#pragma once

#include "platform/render/Geometry.h"
#include "widget/ui/Font.h"

#include <string_view>

typedef struct _cairo cairo_t;

namespace tandry::render {

// Draws the symbol `name` in the current source colour, centred in `box`
// and sized from `font` as text of that font would be: enclosed shapes are
// 0.95 of the font size across, strokes a twelfth of it at regular weight and
// heavier at greater weights. Our own artwork for "circle" and
// "point.3.connected.trianglepath.dotted"; any other name draws a dashed
// square, so a missing symbol is visible rather than silently blank.
void drawSymbol(cairo_t* cairo, std::string_view name, const Font& font, Rect box);

// The symbol names that have artwork.
bool hasSymbolArtwork(std::string_view name);

} // namespace tandry::render
