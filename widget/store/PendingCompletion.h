#pragma once

#include "widget/system/Instant.h"
#include "widget/store/Uuid.h"

#include <iosfwd>

namespace tandry {

// One parked tick: the task `taskID` was ticked at `requestedAt`. `id` is the
// tick's own identity and names its file in the queue.
struct PendingCompletion {
    Uuid id;
    Uuid taskID;
    Instant requestedAt;

    bool operator==(const PendingCompletion&) const = default;
};

std::ostream& operator<<(std::ostream& out, const PendingCompletion& completion);

} // namespace tandry
