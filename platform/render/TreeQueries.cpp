#include "platform/render/TreeQueries.h"

#include <ostream>

namespace tandry::render {
namespace {

void collectButtons(const LaidOutElement& element, std::vector<ButtonFrame>& buttons) {
    if (const auto* button = std::get_if<IntentButton>(&element.kind)) {
        buttons.push_back({*button, element.frame});
    }
    for (const LaidOutElement& child : element.children) {
        collectButtons(child, buttons);
    }
}

bool contains(const Rect& frame, Point point) {
    return point.x >= frame.minX() && point.x < frame.maxX() && point.y >= frame.minY() &&
           point.y < frame.maxY();
}

} // namespace

std::vector<ButtonFrame> buttonsIn(const LaidOutElement& tree) {
    std::vector<ButtonFrame> buttons;
    collectButtons(tree, buttons);
    return buttons;
}

std::optional<std::string> linkAt(const LaidOutElement& tree, Point point) {
    if (!contains(tree.frame, point)) {
        return std::nullopt;
    }
    for (const LaidOutElement& child : tree.children) {
        if (auto url = linkAt(child, point)) {
            return url;
        }
    }
    if (const auto* link = std::get_if<ClickThroughUrl>(&tree.kind)) {
        return link->url;
    }
    return std::nullopt;
}

std::ostream& operator<<(std::ostream& out, const ButtonFrame& button) {
    return out << "ButtonFrame{" << button.button << " at " << button.frame << '}';
}

} // namespace tandry::render
