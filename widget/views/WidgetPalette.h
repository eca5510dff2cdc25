#pragma once

#include "widget/ui/Color.h"
#include "widget/ui/ColorScheme.h"

#include <iosfwd>
#include <string_view>

namespace tandry {

// The three colours every card draws with: the accent that the task manager
// picks by name, and the two text colours of the appearance.
struct WidgetPalette {
    Color accent;
    Color ink;
    Color secondary;

    bool operator==(const WidgetPalette&) const = default;

    // The palette for a name from the snapshot's paletteRaw ("green") in a
    // colour scheme. Names are compared exactly; an unknown name, the empty
    // name and "Violet" all give violet. Never fails.
    static WidgetPalette resolve(std::string_view name, ColorScheme scheme);
};

// The red of overdue tasks, shared by the small card and the task rows. It is
// the platform's system red, whose shade the renderer picks per appearance;
// made once per process on first use.
const Color& systemRed();

std::ostream& operator<<(std::ostream& out, const WidgetPalette& palette);

} // namespace tandry
