#include "platform/render/CardLayout.h"

#include "platform/render/PixelGrid.h"
#include "platform/render/detail/LayoutNode.h"

namespace tandry::render {

namespace {

using detail::LayoutContext;
using detail::LayoutNode;

bool coversCard(const LayoutNode& node) {
    return std::holds_alternative<ContainerBackground>(node.kind) ||
           std::holds_alternative<ClickThroughUrl>(node.kind);
}

// The widget's container: backgrounds and links at the root take the whole
// card; the first node below them is offered the card and centred in it.
LaidOutElement positionInCard(LayoutNode& node, Rect card, LayoutContext& context) {
    if (coversCard(node)) {
        LaidOutElement positioned{.kind = node.kind,
                                  .frame = card,
                                  .identity = node.identity,
                                  .contentTransition = node.contentTransition,
                                  .children = {}};
        positioned.children.push_back(positionInCard(node.children.front(), card, context));
        return positioned;
    }
    const ProposedSize proposal = ProposedSize::of(card.size);
    const Size size = detail::sizeThatFits(node, proposal, context);
    const Point origin{card.origin.x + (card.size.width - size.width) / 2,
                       card.origin.y + (card.size.height - size.height) / 2};
    return detail::position(node, origin, proposal, context);
}

// Right to left, every frame swaps sides within the card. Laying out left to
// right and mirroring afterwards gives the same result as running every
// horizontal stack and leading alignment backwards, because layout treats
// both directions alike.
void mirror(LaidOutElement& element, double cardWidth) {
    element.frame.origin.x = cardWidth - element.frame.maxX();
    for (LaidOutElement& child : element.children) {
        mirror(child, cardWidth);
    }
}

// Both edges go to the nearest device pixel, so neighbours stay flush.
void roundFrames(LaidOutElement& element, double scale) {
    Rect& frame = element.frame;
    const double minX = roundToPixel(frame.minX(), scale);
    const double minY = roundToPixel(frame.minY(), scale);
    const double maxX = roundToPixel(frame.maxX(), scale);
    const double maxY = roundToPixel(frame.maxY(), scale);
    frame = Rect{{minX, minY}, {maxX - minX, maxY - minY}};
    for (LaidOutElement& child : element.children) {
        roundFrames(child, scale);
    }
}

} // namespace

LaidOutCard layoutCard(const Element& root, Size cardSize, TextMeasurer& measurer,
                       const LayoutOptions& options) {
    LayoutNode node = detail::buildNode(root, std::nullopt);
    LayoutContext context{measurer, options.scale};
    LaidOutCard card{cardSize, positionInCard(node, Rect{{0, 0}, cardSize}, context)};
    if (options.direction == LayoutDirection::rightToLeft) {
        mirror(card.root, cardSize.width);
    }
    roundFrames(card.root, options.scale);
    return card;
}

} // namespace tandry::render
