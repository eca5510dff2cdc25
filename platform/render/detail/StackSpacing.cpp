// Step 2.1 of stack layout: the gaps. An explicit spacing is used for every
// gap, spacers included. The platform default depends on the two neighbours:
// nothing next to a spacer, 8 points between plain views, and gaps around
// texts in a vertical stack that follow the font's metrics, so that texts sit
// line box to line box and other views keep clear of their descenders.
#include "platform/render/PixelGrid.h"
#include "platform/render/detail/StackLayout.h"

#include <algorithm>

namespace tandry::render::detail {

namespace {

constexpr double defaultGap = 8;

enum class Edge { start, end };

// What a node's edge asks of the gap next to it.
struct SpacingPreference {
    enum class Kind { plain, text, spacer };

    Kind kind = Kind::plain;
    // The font of the text at that edge, for `Kind::text`.
    Font font;
};

SpacingPreference edgePreference(const LayoutNode& node, Axis axis, Edge edge);

// A stack's edge across its own axis: the edges of all its children meet it.
// It counts as text when every child that is not a spacer is text there, at
// the largest of their fonts; otherwise it is plain.
SpacingPreference crossEdgePreference(const LayoutNode& stack, Axis axis, Edge edge) {
    SpacingPreference merged{.kind = SpacingPreference::Kind::plain, .font = {}};
    bool allText = false;
    for (const LayoutNode& child : stack.children) {
        if (isSpacer(child)) {
            continue;
        }
        const SpacingPreference preference = edgePreference(child, axis, edge);
        if (preference.kind != SpacingPreference::Kind::text) {
            return {};
        }
        if (!allText || preference.font.size > merged.font.size) {
            merged = preference;
        }
        allText = true;
    }
    return merged;
}

SpacingPreference edgePreference(const LayoutNode& node, Axis axis, Edge edge) {
    using Kind = SpacingPreference::Kind;
    if (isSpacer(node)) {
        return {.kind = Kind::spacer, .font = {}};
    }
    if (const auto* text = std::get_if<LaidOutText>(&node.kind)) {
        // Texts only set vertical gaps; beside each other they are plain.
        if (axis == Axis::vertical) {
            return {.kind = Kind::text, .font = text->text.font};
        }
        return {};
    }
    if (const auto* inset = std::get_if<Inset>(&node.kind); inset != nullptr && inset->length > 0) {
        return {};
    }
    if (std::holds_alternative<FlexibleFrame>(node.kind) ||
        std::holds_alternative<SymbolImage>(node.kind)) {
        return {};
    }
    const bool isStack =
        std::holds_alternative<VStack>(node.kind) || std::holds_alternative<HStack>(node.kind);
    if (isStack) {
        const Axis stackAxis =
            std::holds_alternative<VStack>(node.kind) ? Axis::vertical : Axis::horizontal;
        if (node.children.empty()) {
            return {};
        }
        if (stackAxis != axis) {
            return crossEdgePreference(node, axis, edge);
        }
        // Along its own axis a stack shows the edge of its first or last child.
        const LayoutNode& outer =
            edge == Edge::start ? node.children.front() : node.children.back();
        return edgePreference(outer, axis, edge);
    }
    // Buttons, zero insets, backgrounds and links show their content's edge.
    if (!node.children.empty()) {
        return edgePreference(node.children.front(), axis, edge);
    }
    return {};
}

double gapBetween(const SpacingPreference& before, const SpacingPreference& after, Axis axis,
                  LayoutContext& context) {
    using Kind = SpacingPreference::Kind;
    if (before.kind == Kind::spacer || after.kind == Kind::spacer) {
        return 0;
    }
    if (axis == Axis::horizontal || (before.kind == Kind::plain && after.kind == Kind::plain)) {
        return defaultGap;
    }
    if (before.kind == Kind::text && after.kind == Kind::text) {
        return context.measurer.metrics(before.font).lineGap;
    }
    // One side is a text: keep clear of its descender, with a tenth of its
    // line height (on whole pixels) to spare.
    const Font& font = before.kind == Kind::text ? before.font : after.font;
    const FontMetrics metrics = context.measurer.metrics(font);
    const double spare = ceilToPixel(0.1 * metrics.lineHeight(), context.scale);
    if (after.kind == Kind::text) {
        return spare + metrics.descent;
    }
    return std::max(metrics.lineHeight() + spare - metrics.capHeight, spare + metrics.descent);
}

} // namespace

StackGaps stackGaps(const LayoutNode& stack, const StackShape& shape, LayoutContext& context) {
    StackGaps gaps;
    gaps.before.assign(stack.children.size(), 0.0);
    for (std::size_t i = 1; i < stack.children.size(); ++i) {
        if (shape.spacing) {
            gaps.before[i] = *shape.spacing;
        } else {
            gaps.before[i] = gapBetween(
                edgePreference(stack.children[i - 1], shape.major, Edge::end),
                edgePreference(stack.children[i], shape.major, Edge::start), shape.major, context);
        }
        gaps.total += gaps.before[i];
    }
    return gaps;
}

} // namespace tandry::render::detail
