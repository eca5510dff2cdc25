#pragma once

#include "platform/render/Geometry.h"
#include "platform/render/LaidOutElement.h"
#include "platform/render/TextMeasurer.h"
#include "widget/strings/LayoutDirection.h"
#include "widget/ui/Element.h"

namespace tandry::render {

struct LayoutOptions {
    // Device pixels per point; frames are rounded to this grid.
    double scale = 2;
    LayoutDirection direction = LayoutDirection::leftToRight;

    bool operator==(const LayoutOptions&) const = default;
};

// Lays out a card's element tree in a widget of `cardSize` points. A
// container background or click-through URL at the root covers the whole
// card; the content inside is offered the card's size and centred in it.
// Layout never fails: content that does not fit overflows or is truncated.
LaidOutCard layoutCard(const Element& root, Size cardSize, TextMeasurer& measurer,
                       const LayoutOptions& options = {});

} // namespace tandry::render
