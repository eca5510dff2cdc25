#pragma once

#include <cmath>

namespace tandry::render {

// Lengths snapped to the device pixel grid of a display with `scale` pixels
// per point (0.5 pt steps at 2x). Halves round up on both sides of zero, so
// a frame that overflows above or left of the card keeps its size.
inline double roundToPixel(double length, double scale) {
    return std::floor(length * scale + 0.5) / scale;
}

inline double ceilToPixel(double length, double scale) {
    return std::ceil(length * scale) / scale;
}

} // namespace tandry::render
