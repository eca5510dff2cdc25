#pragma once

#include <ostream>

namespace tandry {

// The empty result of an intent: no value, no dialog, no view.
struct IntentResult {
    bool operator==(const IntentResult&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const IntentResult&) {
    return out << "IntentResult{}";
}

} // namespace tandry
