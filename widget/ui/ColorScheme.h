#pragma once

#include <ostream>

namespace tandry {

// The appearance a card is drawn in; the host reads it from the desktop.
enum class ColorScheme { light, dark };

inline std::ostream& operator<<(std::ostream& out, ColorScheme scheme) {
    return out << (scheme == ColorScheme::dark ? "dark" : "light");
}

} // namespace tandry
