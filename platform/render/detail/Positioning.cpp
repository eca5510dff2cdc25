// Step 3 of layout: positioning. Each node settles on its size for the
// proposal its parent made and positions its children inside that frame, so
// every text is finally measured with exactly the proposal it was laid out
// with.
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

void positionStackChildren(LayoutNode& node, LaidOutElement& positioned, ProposedSize proposal,
                           LayoutContext& context) {
    const StackDistribution distribution = distributeStack(node, proposal, context);
    const StackShape shape = stackShape(node);
    const Axis major = shape.major;
    const double thickness = minorLength(positioned.frame.size, major);
    double along = 0;
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        // Children go in declaration order, whatever order they were sized in.
        along += distribution.gaps.before[i];
        const Size size = distribution.sizes[i];
        const double across = (thickness - minorLength(size, major)) * shape.minorAlignment;
        const Point offset =
            major == Axis::horizontal ? Point{along, across} : Point{across, along};
        positioned.children.push_back(
            position(node.children[i],
                     {positioned.frame.origin.x + offset.x, positioned.frame.origin.y + offset.y},
                     distribution.proposals[i], context));
        along += majorLength(size, major);
    }
}

// A flexible frame offers its content its own final size and aligns it.
void positionFrameContent(LayoutNode& node, LaidOutElement& positioned, LayoutContext& context) {
    const Alignment alignment = std::get<FlexibleFrame>(node.kind).alignment;
    const ProposedSize inner = ProposedSize::of(positioned.frame.size);
    LayoutNode& content = node.children.front();
    const Size size = sizeThatFits(content, inner, context);
    const double dx =
        (positioned.frame.size.width - size.width) * (static_cast<int>(alignment.horizontal) * 0.5);
    const double dy =
        (positioned.frame.size.height - size.height) * (static_cast<int>(alignment.vertical) * 0.5);
    positioned.children.push_back(position(
        content, {positioned.frame.origin.x + dx, positioned.frame.origin.y + dy}, inner, context));
}

} // namespace

LaidOutElement position(LayoutNode& node, Point origin, ProposedSize proposal,
                        LayoutContext& context) {
    LaidOutElement positioned = leaf(node, Rect{origin, sizeThatFits(node, proposal, context)});
    if (auto* text = std::get_if<LaidOutText>(&positioned.kind)) {
        text->fit = textFit(text->text, proposal, context);
    } else if (std::holds_alternative<VStack>(node.kind) ||
               std::holds_alternative<HStack>(node.kind)) {
        positionStackChildren(node, positioned, proposal, context);
    } else if (std::holds_alternative<FlexibleFrame>(node.kind)) {
        positionFrameContent(node, positioned, context);
    } else if (const auto* inset = std::get_if<Inset>(&node.kind)) {
        const double length = inset->length;
        positioned.children.push_back(position(node.children.front(),
                                               {origin.x + length, origin.y + length},
                                               insetProposal(proposal, length), context));
    } else if (!node.children.empty()) {
        positioned.children.push_back(position(node.children.front(), origin, proposal, context));
    }
    return positioned;
}

} // namespace tandry::render::detail
