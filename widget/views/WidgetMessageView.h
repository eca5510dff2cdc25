#pragma once

#include "widget/ui/ColorScheme.h"
#include "widget/ui/Element.h"

#include <iosfwd>
#include <string>

namespace tandry {

// The card shown when there is no snapshot to draw: the header and one
// message, centred below it. Having no snapshot, it always uses the violet
// palette.
struct WidgetMessageView {
    // The catalog key of the message ("widget.empty.title").
    std::string key;
    ColorScheme scheme = ColorScheme::light;

    bool operator==(const WidgetMessageView&) const = default;

    Element body() const;
};

std::ostream& operator<<(std::ostream& out, const WidgetMessageView& view);

} // namespace tandry
