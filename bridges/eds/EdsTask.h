#pragma once

#include "widget/store/Uuid.h"
#include "widget/system/Instant.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tandry {

// Where a task stands, from its STATUS and COMPLETED properties.
enum class TaskProgress { open, completed, cancelled };

// When a task is due. A date without a time is due at the end of that local
// day: shown as its last second, overdue from the next midnight.
struct DueDate {
    Instant shown;
    Instant overdueFrom;

    bool operator==(const DueDate&) const = default;
};

// One VTODO of a task list, with the properties the bridge reads.
struct EdsTask {
    // The task's identity on the card (see cardIdOf).
    Uuid cardId;
    // The component's UID, as the task list knows it.
    std::string uid;
    std::string summary;
    TaskProgress progress = TaskProgress::open;
    // DTSTART: before it the task is not ready.
    std::optional<Instant> start;
    std::optional<DueDate> due;
    // PRIORITY: 1 (highest) to 9; 0 when undefined or absent.
    int priority = 0;

    bool operator==(const EdsTask&) const = default;
};

// The tasks of one task list.
struct EdsTaskList {
    // The list's source UID in the source registry.
    std::string sourceUid;
    std::string displayName;
    std::vector<EdsTask> tasks;

    bool operator==(const EdsTaskList&) const = default;
};

std::ostream& operator<<(std::ostream& out, const EdsTask& task);

} // namespace tandry
