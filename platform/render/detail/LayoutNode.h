#pragma once

#include "platform/render/Geometry.h"
#include "platform/render/LaidOutElement.h"
#include "platform/render/TextMeasurer.h"
#include "widget/ui/Element.h"

#include <optional>
#include <utility>
#include <vector>

namespace tandry::render::detail {

enum class Axis { horizontal, vertical };

// One node of the working tree that the layout steps walk. Built once per
// layout from the element tree: list items flattened into their stack,
// modifiers turned into wrapper nodes.
struct LayoutNode {
    // The node's kind as it will appear in the laid-out tree; a text's fit
    // is filled in when the node is positioned.
    LaidOutKind kind;
    std::optional<Uuid> identity{};
    std::optional<NumericContentTransition> contentTransition{};
    // The axis of the stack that holds this node, for a spacer's shape.
    std::optional<Axis> stackAxis{};
    std::vector<LayoutNode> children{};
    // Sizes already chosen, by proposal. A stack asks each child several
    // times (its minimum, maximum and share), so this keeps layout linear.
    std::vector<std::pair<ProposedSize, Size>> sizeCache{};
    // A text's sizes by fit. Proposals of different heights often come to
    // the same fit (a one-line text is one line whatever height it is
    // offered), and measuring text is the dearest step of layout.
    std::vector<std::pair<TextFit, Size>> textCache{};
};

// What every step needs to hand on.
struct LayoutContext {
    TextMeasurer& measurer;
    double scale = 2;
};

// Step 1: the working tree of an element. `stackAxis` is the axis of the
// stack that holds it, if any.
LayoutNode buildNode(const Element& element, std::optional<Axis> stackAxis);

// Step 2: the size a node chooses for a proposal (cached per node).
Size sizeThatFits(LayoutNode& node, ProposedSize proposal, LayoutContext& context);

// Step 3: the laid-out tree of a node positioned at `origin` with the
// proposal its parent settled on. Frames are exact here; rounding comes last.
LaidOutElement position(LayoutNode& node, Point origin, ProposedSize proposal,
                        LayoutContext& context);

// What an inset offers its content: the proposal less the inset on each
// edge, never below zero; unspecified axes stay unspecified.
ProposedSize insetProposal(ProposedSize proposal, double length);

inline bool isSpacer(const LayoutNode& node) {
    return std::holds_alternative<Spacer>(node.kind);
}

} // namespace tandry::render::detail
