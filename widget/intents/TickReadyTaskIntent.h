#pragma once

#include <ostream>
#include <string>

namespace tandry {

// The action behind a task row's tick button. The button carries the task's
// id as canonical UUID text; parsing it is left to the intent's perform step,
// so the value stays exactly what the row handed over.
struct TickReadyTaskIntent {
    std::string taskID;

    bool operator==(const TickReadyTaskIntent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TickReadyTaskIntent& intent) {
    return out << "TickReadyTaskIntent{taskID=\"" << intent.taskID << "\"}";
}

} // namespace tandry
