#pragma once

#include "widget/store/ReadySnapshot.h"
#include "widget/ui/Element.h"
#include "widget/views/DueDateFormat.h"
#include "widget/views/WidgetPalette.h"

#include <iosfwd>

namespace tandry {

// One ready task in the list card: the tick button, the title over the flow
// name, and the due label at the trailing edge. The row trusts the task
// manager's flags and never looks at the clock.
struct ReadyWidgetRow {
    ReadySnapshot::Item task;
    WidgetPalette palette;

    bool operator==(const ReadyWidgetRow&) const = default;

    // The row; `dueDates` writes a present due date.
    Element body(const DueDateFormat& dueDates) const;
};

std::ostream& operator<<(std::ostream& out, const ReadyWidgetRow& row);

} // namespace tandry
