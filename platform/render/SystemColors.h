#pragma once

#include "widget/ui/Color.h"
#include "widget/ui/ColorScheme.h"

namespace tandry::render {

// A colour as drawn: sRGB components and opacity in 0...1.
struct ResolvedColor {
    double red = 0;
    double green = 0;
    double blue = 0;
    double opacity = 1;

    bool operator==(const ResolvedColor&) const = default;
};

// The drawn colour for a colour scheme; the system red is (255, 59, 48) in
// light appearance and (255, 69, 58) in dark.
inline ResolvedColor resolveColor(const Color& color, ColorScheme scheme) {
    if (color.kind == Color::Kind::systemRed) {
        return scheme == ColorScheme::dark ? ResolvedColor{1.0, 69 / 255.0, 58 / 255.0, 1}
                                           : ResolvedColor{1.0, 59 / 255.0, 48 / 255.0, 1};
    }
    return {color.red, color.green, color.blue, color.opacity};
}

} // namespace tandry::render
