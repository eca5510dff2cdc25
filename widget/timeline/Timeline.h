#pragma once

#include "widget/system/Instant.h"
#include "widget/timeline/ReadyWidgetEntry.h"

#include <optional>
#include <ostream>
#include <vector>

namespace tandry {

// When the widget host asks for the next timeline: after an instant, or never
// until a reload is requested.
struct ReloadPolicy {
    // Absent for "never".
    std::optional<Instant> after;

    static ReloadPolicy atEnd(Instant instant) { return {instant}; }
    static ReloadPolicy never() { return {}; }

    bool operator==(const ReloadPolicy&) const = default;
};

// The entries to show, in date order, and when to ask again.
struct Timeline {
    std::vector<ReadyWidgetEntry> entries;
    ReloadPolicy policy;

    bool operator==(const Timeline&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ReloadPolicy& policy) {
    if (policy.after) {
        return out << "after " << *policy.after;
    }
    return out << "never";
}

inline std::ostream& operator<<(std::ostream& out, const Timeline& timeline) {
    out << "Timeline{";
    for (const auto& entry : timeline.entries) {
        out << entry << ", ";
    }
    return out << "reload " << timeline.policy << '}';
}

} // namespace tandry
