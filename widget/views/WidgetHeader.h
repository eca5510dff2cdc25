#pragma once

#include "widget/ui/Element.h"
#include "widget/views/WidgetPalette.h"

#include <iosfwd>

namespace tandry {

// The title block at the top of every card: the widget's symbol and its
// title, in the palette of the card.
struct WidgetHeader {
    WidgetPalette palette;

    bool operator==(const WidgetHeader&) const = default;

    Element body() const;
};

std::ostream& operator<<(std::ostream& out, const WidgetHeader& header);

} // namespace tandry
