#pragma once

#include <ostream>

namespace tandry {

// The direction in which the user's language runs. In right-to-left layouts
// leading is the right edge and horizontal stacks run from right to left.
enum class LayoutDirection { leftToRight, rightToLeft };

inline std::ostream& operator<<(std::ostream& out, LayoutDirection direction) {
    return out << (direction == LayoutDirection::rightToLeft ? "rightToLeft" : "leftToRight");
}

} // namespace tandry
