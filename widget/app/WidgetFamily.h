#pragma once

#include <ostream>

namespace tandry {

// The widget sizes the widget supports.
enum class WidgetFamily { systemSmall, systemMedium, systemLarge };

inline const char* familyName(WidgetFamily family) {
    switch (family) {
    case WidgetFamily::systemSmall:
        return "systemSmall";
    case WidgetFamily::systemMedium:
        return "systemMedium";
    case WidgetFamily::systemLarge:
        return "systemLarge";
    }
    return "systemMedium";
}

inline std::ostream& operator<<(std::ostream& out, WidgetFamily family) {
    return out << familyName(family);
}

} // namespace tandry
