#pragma once

#include "widget/ui/Color.h"
#include "widget/ui/Font.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace tandry {

// One run of text, shown as given. It wraps at word boundaries and, when it
// needs more lines than `lineLimit` allows, its last line ends in an ellipsis.
// A fixed-size text always takes its ideal size, whatever it is offered.
struct Text {
    std::string string;
    Font font;
    Color color;
    std::optional<int> lineLimit;
    bool fixedSize = false;

    bool operator==(const Text&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Text& text);

} // namespace tandry
