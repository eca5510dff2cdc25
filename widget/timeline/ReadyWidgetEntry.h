#pragma once

#include "widget/system/Instant.h"
#include "widget/timeline/ReadyWidgetState.h"

#include <ostream>

namespace tandry {

// One timeline entry: show `state` from `date` on. `date` is also the instant
// against which the snapshot's expiry was judged.
struct ReadyWidgetEntry {
    Instant date;
    ReadyWidgetState state = ReadyWidgetState::waitingForApp();

    bool operator==(const ReadyWidgetEntry&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ReadyWidgetEntry& entry) {
    return out << "ReadyWidgetEntry{" << entry.date << ", " << entry.state << '}';
}

} // namespace tandry
