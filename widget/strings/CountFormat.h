#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tandry {

// Puts `n` into a counted text from the catalog, such as "%lld tasks ready".
// The text is untrusted, so it never reaches printf: the only conversions
// accepted are "%lld" and its positional form "%1$lld", at most once, beside
// "%%" for a percent sign. A text without a conversion is kept as it is (a
// language may say "one task" in words). Anything else, such as "%s", "%n",
// a width or a second conversion, gives nullopt.
std::optional<std::string> formatCount(std::string_view format, std::int64_t n);

} // namespace tandry
