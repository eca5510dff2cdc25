#pragma once

#include <ostream>
#include <string_view>

namespace tandry::render {

// The direction in which a language's lines run. In right-to-left layouts
// leading is the right edge and horizontal stacks run from right to left.
enum class LayoutDirection { leftToRight, rightToLeft };

// The direction of the language a locale or language name starts with
// ("ar_EG.UTF-8", "he", "fa_IR@calendar=persian"); left to right for anything
// unknown, "C" and "POSIX" included.
LayoutDirection layoutDirectionForLocale(std::string_view locale);

// The direction of the user's language as gettext would choose it: the first
// entry of LANGUAGE, else LC_ALL, LC_MESSAGES, LANG.
LayoutDirection layoutDirectionFromEnvironment();

inline std::ostream& operator<<(std::ostream& out, LayoutDirection direction) {
    return out << (direction == LayoutDirection::rightToLeft ? "rightToLeft" : "leftToRight");
}

} // namespace tandry::render
