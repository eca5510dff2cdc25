#pragma once

#include "widget/store/ReadySnapshot.h"
#include "widget/timeline/Clock.h"

#include <string_view>

namespace tandry {

// Whether a sample task is overdue.
enum class Overdue : bool { no = false, yes = true };

// One sample task for placeholders and previews: a fresh random id, title and
// flow name looked up in the widget's catalog (title first), priority "none".
// An overdue task is due one calendar day before the clock's instant (no due
// date if the calendar cannot tell) and is not "today"; any other has no due
// date and is "today" exactly when its title key ends in "2".
ReadySnapshot::Item placeholderItem(std::string_view titleKey, std::string_view flowKey,
                                    Overdue overdue, const Clock& clock);

// The sample card shown by placeholders and gallery previews, built afresh on
// every call: four tasks in two flows in the user's language, the first one
// overdue by a day, the second one today; violet, valid until the distant
// future, no empty reason.
ReadySnapshot placeholderSnapshot(const Clock& clock);

} // namespace tandry
