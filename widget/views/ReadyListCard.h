#pragma once

#include "widget/store/ReadySnapshot.h"
#include "widget/ui/Element.h"
#include "widget/views/DueDateFormat.h"
#include "widget/views/WidgetPalette.h"

#include <cstdint>
#include <iosfwd>

namespace tandry {

// The card of the medium and large widgets: a header row with the count of
// ready tasks, then up to `rows` task rows and the number of tasks left out,
// or the clear message when nothing is ready. It draws whatever numbers the
// snapshot holds.
struct ReadyListCard {
    ReadySnapshot snapshot;
    WidgetPalette palette;
    // The most rows to list; a negative value lists none.
    std::int64_t rows = 0;
    // Rows 4 pt apart instead of 6, and no line for the tasks left out.
    bool compact = false;

    bool operator==(const ReadyListCard&) const = default;

    Element body(const DueDateFormat& dueDates) const;
};

std::ostream& operator<<(std::ostream& out, const ReadyListCard& card);

} // namespace tandry
