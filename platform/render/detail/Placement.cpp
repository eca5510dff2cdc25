// Step 3 of layout: placing. Each node settles on its size for the proposal
// its parent made and places its children inside that frame, so every text
// is finally measured with exactly the proposal it was laid out with.
#include "platform/render/detail/LayoutNode.h"
#include "platform/render/detail/StackLayout.h"
#include "platform/render/detail/TextSizing.h"

namespace tandry::render::detail {

namespace {

LaidOutElement leaf(const LayoutNode& node, Rect frame) {
    return LaidOutElement{.kind = node.kind,
                          .frame = frame,
                          .identity = node.identity,
                          .contentTransition = node.contentTransition,
                          .children = {}};
}

void placeStackChildren(LayoutNode& node, LaidOutElement& placed, ProposedSize proposal,
                        LayoutContext& context) {
    const StackDistribution distribution = distributeStack(node, proposal, context);
    const StackShape shape = stackShape(node);
    const Axis major = shape.major;
    const double thickness = minorLength(placed.frame.size, major);
    double position = 0;
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        // Children go in declaration order, whatever order they were sized in.
        position += distribution.gaps.before[i];
        const Size size = distribution.sizes[i];
        const double across = (thickness - minorLength(size, major)) * shape.minorAlignment;
        const Point offset =
            major == Axis::horizontal ? Point{position, across} : Point{across, position};
        placed.children.push_back(place(
            node.children[i], {placed.frame.origin.x + offset.x, placed.frame.origin.y + offset.y},
            distribution.proposals[i], context));
        position += majorLength(size, major);
    }
}

// A flexible frame offers its content its own final size and aligns it.
void placeFrameContent(LayoutNode& node, LaidOutElement& placed, LayoutContext& context) {
    const Alignment alignment = std::get<FlexibleFrame>(node.kind).alignment;
    const ProposedSize inner = ProposedSize::of(placed.frame.size);
    LayoutNode& content = node.children.front();
    const Size size = sizeThatFits(content, inner, context);
    const double dx =
        (placed.frame.size.width - size.width) * (static_cast<int>(alignment.horizontal) * 0.5);
    const double dy =
        (placed.frame.size.height - size.height) * (static_cast<int>(alignment.vertical) * 0.5);
    placed.children.push_back(
        place(content, {placed.frame.origin.x + dx, placed.frame.origin.y + dy}, inner, context));
}

} // namespace

LaidOutElement place(LayoutNode& node, Point origin, ProposedSize proposal,
                     LayoutContext& context) {
    LaidOutElement placed = leaf(node, Rect{origin, sizeThatFits(node, proposal, context)});
    if (auto* text = std::get_if<LaidOutText>(&placed.kind)) {
        text->fit = textFit(text->text, proposal, context);
    } else if (std::holds_alternative<VStack>(node.kind) ||
               std::holds_alternative<HStack>(node.kind)) {
        placeStackChildren(node, placed, proposal, context);
    } else if (std::holds_alternative<FlexibleFrame>(node.kind)) {
        placeFrameContent(node, placed, context);
    } else if (const auto* inset = std::get_if<Inset>(&node.kind)) {
        const double length = inset->length;
        placed.children.push_back(place(node.children.front(),
                                        {origin.x + length, origin.y + length},
                                        insetProposal(proposal, length), context));
    } else if (!node.children.empty()) {
        placed.children.push_back(place(node.children.front(), origin, proposal, context));
    }
    return placed;
}

} // namespace tandry::render::detail
