#pragma once

#include <ostream>

namespace tandry {

// The part of one monitor that windows may use (without the panels that
// reserve space), in screen pixels, and the monitor's device pixels per point.
struct WorkArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int scale = 1;

    bool operator==(const WorkArea&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const WorkArea& area) {
    return out << "WorkArea{" << area.x << ',' << area.y << ' ' << area.width << 'x' << area.height
               << " @" << area.scale << '}';
}

} // namespace tandry
