#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tandry::render {

// U+2028, the break that plainText keeps, within one paragraph.
inline constexpr std::string_view lineSeparator = "\u2028";

// A text as plain characters: control characters (NUL included, which ends a
// string for C interfaces) become spaces; the first `lineBreaksKept` line
// breaks of any kind become line separators and later ones spaces; bytes
// that are not UTF-8 become U+FFFD; and after `mostCharacters` characters the
// text ends in "…". What it costs is bounded by `mostCharacters`, not by the
// text's length. The card's texts and what a screen reader hears of them go
// through it alike.
std::string plainText(std::string_view text, std::size_t mostCharacters,
                      std::size_t lineBreaksKept = 0);

} // namespace tandry::render
