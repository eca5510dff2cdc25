// Step 2 of layout: each kind of node chooses its size for a proposal.
#include "platform/render/SymbolMetrics.h"
#include "platform/render/detail/LayoutNode.h"
#include "platform/render/detail/StackLayout.h"
#include "platform/render/detail/TextSizing.h"

#include <algorithm>

namespace tandry::render::detail {

namespace {

// The platform's default spacing, which a spacer without a minimum keeps.
constexpr double defaultSpacerLength = 8;

double stretch(std::optional<double> offered, double minimum) {
    return offered ? std::max(*offered, minimum) : minimum;
}

// Along its stack's axis a spacer takes what it is offered, at least its
// minimum; across it, nothing. Outside any stack it stretches both ways.
Size spacerSize(const LayoutNode& node, ProposedSize proposal) {
    const double minimum = std::get<Spacer>(node.kind).minLength.value_or(defaultSpacerLength);
    if (node.stackAxis == Axis::horizontal) {
        return {stretch(proposal.width, minimum), 0};
    }
    if (node.stackAxis == Axis::vertical) {
        return {0, stretch(proposal.height, minimum)};
    }
    return {stretch(proposal.width, minimum), stretch(proposal.height, minimum)};
}

// A frame with unbounded maxima fills what it is offered, or grows to its
// content when the content is larger; unspecified axes take the content's.
Size flexibleFrameSize(LayoutNode& node, ProposedSize proposal, LayoutContext& context) {
    const Size content = sizeThatFits(node.children.front(), proposal, context);
    return {proposal.width ? std::max(*proposal.width, content.width) : content.width,
            proposal.height ? std::max(*proposal.height, content.height) : content.height};
}

Size computeSize(LayoutNode& node, ProposedSize proposal, LayoutContext& context) {
    if (std::holds_alternative<VStack>(node.kind) || std::holds_alternative<HStack>(node.kind)) {
        return distributeStack(node, proposal, context).size;
    }
    if (isSpacer(node)) {
        return spacerSize(node, proposal);
    }
    if (std::holds_alternative<LaidOutText>(node.kind)) {
        return textSize(node, proposal, context);
    }
    if (const auto* symbol = std::get_if<SymbolImage>(&node.kind)) {
        const double side = symbolBoxSide(symbol->font, context.scale);
        return {side, side};
    }
    if (std::holds_alternative<FlexibleFrame>(node.kind)) {
        return flexibleFrameSize(node, proposal, context);
    }
    if (const auto* inset = std::get_if<Inset>(&node.kind)) {
        const Size content =
            sizeThatFits(node.children.front(), insetProposal(proposal, inset->length), context);
        return {content.width + 2 * inset->length, content.height + 2 * inset->length};
    }
    // Buttons in the plain style, backgrounds and links are as large as
    // their content.
    return sizeThatFits(node.children.front(), proposal, context);
}

} // namespace

ProposedSize insetProposal(ProposedSize proposal, double length) {
    auto shrink = [length](std::optional<double> offered) -> std::optional<double> {
        if (!offered) {
            return std::nullopt;
        }
        return std::max(0.0, *offered - 2 * length);
    };
    return {shrink(proposal.width), shrink(proposal.height)};
}

Size sizeThatFits(LayoutNode& node, ProposedSize proposal, LayoutContext& context) {
    for (const auto& [cachedProposal, cachedSize] : node.sizeCache) {
        if (cachedProposal == proposal) {
            return cachedSize;
        }
    }
    const Size size = computeSize(node, proposal, context);
    node.sizeCache.emplace_back(proposal, size);
    return size;
}

} // namespace tandry::render::detail
