#pragma once

#include <optional>
#include <ostream>
#include <string_view>

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

// The short name used on command lines and in file names: "small", "medium" or "large".
inline const char* shortFamilyName(WidgetFamily family) {
    switch (family) {
    case WidgetFamily::systemSmall:
        return "small";
    case WidgetFamily::systemMedium:
        return "medium";
    case WidgetFamily::systemLarge:
        return "large";
    }
    return "medium";
}

// The family that `name` stands for, the inverse of both names above:
// "small" or "systemSmall", and so on; none for any other text.
inline std::optional<WidgetFamily> familyNamed(std::string_view name) {
    for (const WidgetFamily family :
         {WidgetFamily::systemSmall, WidgetFamily::systemMedium, WidgetFamily::systemLarge}) {
        if (name == familyName(family) || name == shortFamilyName(family)) {
            return family;
        }
    }
    return std::nullopt;
}

inline std::ostream& operator<<(std::ostream& out, WidgetFamily family) {
    return out << familyName(family);
}

} // namespace tandry
