#pragma once

#include "widget/system/Error.h"
#include "widget/timeline/ReadyWidgetEntry.h"
#include "widget/timeline/Timeline.h"

#include <string>

namespace tandry {

// {"date":…,"state":…,"snapshot":{…}} for an entry; the snapshot only when ready.
Result<std::string> entryJson(const ReadyWidgetEntry& entry);

// The entry of a one-entry timeline with its "reload": {"after":…} or "never".
Result<std::string> timelineJson(const Timeline& timeline);

} // namespace tandry
