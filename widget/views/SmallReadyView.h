#pragma once

#include "widget/store/ReadySnapshot.h"
#include "widget/ui/Element.h"
#include "widget/views/WidgetPalette.h"

#include <iosfwd>

namespace tandry {

// The small widget's card: the number of ready tasks in large accent digits
// over the titles of the first two tasks, or the clear title when the total
// is zero.
struct SmallReadyView {
    ReadySnapshot snapshot;
    WidgetPalette palette;

    bool operator==(const SmallReadyView&) const = default;

    Element body() const;
};

std::ostream& operator<<(std::ostream& out, const SmallReadyView& view);

} // namespace tandry
