#pragma once

#include "widget/store/ReadySnapshot.h"
#include "widget/store/Uuid.h"
#include "widget/system/Error.h"
#include "widget/system/Instant.h"

#include <iosfwd>

namespace tandry {

// What completing a ticked task did to the store.
enum class CompletionOutcome {
    // The task was open and is now completed.
    completed,
    // The task was completed or deleted before: the tick asks for nothing more.
    alreadyFinished,
    // The store knows no task with that identity.
    unknownTask,
};

std::ostream& operator<<(std::ostream& out, CompletionOutcome outcome);

// A task store as a bridge sees it: the tasks that are ready now, and a way
// to complete one. A failure means the store could not be asked (not
// installed, misconfigured, busy): the caller tries again later.
class TaskStore {
public:
    virtual ~TaskStore() = default;

    // The snapshot of the tasks that are ready at `now`.
    virtual Result<ReadySnapshot> readySnapshot(Instant now) = 0;

    // Completes the task `task`.
    virtual Result<CompletionOutcome> complete(const Uuid& task) = 0;
};

} // namespace tandry
