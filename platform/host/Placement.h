#pragma once

#include "platform/host/CardAppearance.h"
#include "widget/ui/WidgetFamily.h"

#include <optional>
#include <ostream>
#include <string>

namespace tandry {

// Where a widget is on the desktop: its kind, the family it is drawn in and,
// where the window system reports it, the position of its window's top-left
// corner in screen pixels, and the appearance chosen for it.
struct Placement {
    std::string kind;
    WidgetFamily family = WidgetFamily::systemMedium;
    std::optional<int> x;
    std::optional<int> y;
    CardAppearance appearance = CardAppearance::followDesktop;

    bool operator==(const Placement&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Placement& placement) {
    out << "Placement{" << placement.kind << ' ' << placement.family;
    if (placement.x && placement.y) {
        out << " at " << *placement.x << ',' << *placement.y;
    }
    if (placement.appearance != CardAppearance::followDesktop) {
        out << ' ' << placement.appearance;
    }
    return out << '}';
}

} // namespace tandry
