#pragma once

#include "platform/render/LaidOutElement.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tandry::render {

// A button of a laid-out tree and where it sits on the card.
struct ButtonFrame {
    IntentButton button;
    Rect frame;

    bool operator==(const ButtonFrame&) const = default;
};

// The buttons of `tree` in reading order: depth first, parents before their
// children, children in order.
std::vector<ButtonFrame> buttonsIn(const LaidOutElement& tree);

// The URL of the innermost link with a URL whose frame holds `point`; absent
// when none does. A frame holds its top and left edges but not its bottom and
// right ones, so that neighbours sharing an edge never both claim a point.
std::optional<std::string> linkAt(const LaidOutElement& tree, Point point);

std::ostream& operator<<(std::ostream& out, const ButtonFrame& button);

} // namespace tandry::render
