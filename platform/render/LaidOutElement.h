#pragma once

#include "platform/render/Geometry.h"
#include "platform/render/TextMeasurer.h"
#include "widget/ui/Element.h"

#include <iosfwd>
#include <optional>
#include <variant>
#include <vector>

namespace tandry::render {

// A text as laid out: the element and the fit it was finally measured with,
// which the painter must reuse so that it wraps and truncates exactly as
// measured (the frame is rounded to the pixel grid and may be a hair narrower).
struct LaidOutText {
    Text text;
    TextFit fit;

    bool operator==(const LaidOutText&) const = default;
};

// What a laid-out node is. Stacks keep their attributes with an empty
// `children` list: the laid-out children hang off the node itself.
using LaidOutKind = std::variant<VStack, HStack, Spacer, LaidOutText, SymbolImage, IntentButton,
                                 FlexibleFrame, Inset, ContainerBackground, ClickThroughUrl>;

// One node of the laid-out tree; the painter draws it and the tree dump
// writes it. Frames are in points from the card's top-left corner.
struct LaidOutElement {
    LaidOutKind kind;
    Rect frame;
    // The identity of the list item that this node is the outermost node of.
    std::optional<Uuid> identity;
    std::optional<NumericContentTransition> contentTransition;
    std::vector<LaidOutElement> children;

    bool operator==(const LaidOutElement&) const = default;
};

// The card: the root of the laid-out tree and the size it was laid out in.
struct LaidOutCard {
    Size size;
    LaidOutElement root;

    bool operator==(const LaidOutCard&) const = default;
};

// The dump's name of a node's kind: "vstack", "text", "padding", ...
const char* kindName(const LaidOutKind& kind);

// A failing comparison prints the tree as the tree dump writes it
// (TreeDump.cpp), so that two trees show where they part.
std::ostream& operator<<(std::ostream& out, const LaidOutElement& element);
std::ostream& operator<<(std::ostream& out, const LaidOutCard& card);

} // namespace tandry::render
