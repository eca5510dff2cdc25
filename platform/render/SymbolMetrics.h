#pragma once

#include "platform/render/PixelGrid.h"
#include "widget/ui/Font.h"

namespace tandry::render {

// Symbols are drawn in a square box 1.2 times their font size, on the pixel
// grid; the box does not depend on the weight, which only thickens strokes.
inline double symbolBoxSide(const Font& font, double scale) {
    return roundToPixel(1.2 * font.size, scale);
}

} // namespace tandry::render
