#pragma once

#include "widget/timeline/ReadyWidgetEntry.h"
#include "widget/ui/Color.h"
#include "widget/ui/ColorScheme.h"
#include "widget/ui/Element.h"
#include "widget/ui/WidgetFamily.h"
#include "widget/views/DueDateFormat.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace tandry {

// The view the host draws for every timeline entry: the layout for the
// entry's state and the widget's size, on the card background, with the deep
// link for clicks outside a button. The family and colour scheme are the
// host's, handed in at render time.
struct ReadyWidgetView {
    WidgetFamily family = WidgetFamily::systemMedium;
    ColorScheme colorScheme = ColorScheme::light;
    ReadyWidgetEntry entry;

    bool operator==(const ReadyWidgetView&) const = default;

    // The whole card.
    Element body(const DueDateFormat& dueDates) const;

    // The layout alone: the small card, a list card of 7 rows (large) or 3
    // compact rows (medium), or a message for the waiting and stale states.
    Element stateContent(const DueDateFormat& dueDates) const;
};

// The card's colour, the same for every state and family.
Color cardBackground(ColorScheme scheme);

// "tandry://ready", checked once per process on first use.
const std::optional<std::string>& readyDeepLink();

std::ostream& operator<<(std::ostream& out, const ReadyWidgetView& view);

} // namespace tandry
