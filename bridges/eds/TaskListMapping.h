#pragma once

#include "bridges/SnapshotOptions.h"
#include "bridges/eds/EdsTask.h"
#include "widget/store/ReadySnapshot.h"

#include <vector>

namespace tandry {

// Maps the tasks of the chosen task lists at `now` onto the snapshot:
// 1. ready: neither completed nor cancelled, and no start after `now`;
// 2. overdue first, then by due instant (none last), then by priority (1
//    highest, none last), then by summary;
// 3. the first `limit` listed, all counted, each with its list's name as the
//    flow;
// 4. valid until the earliest of the next local midnight, the instant a
//    ready task turns overdue and the start of a task that is not ready yet;
// 5. when nothing is ready, why: tasks that start later, only finished ones,
//    or none.
ReadySnapshot mapTaskLists(const std::vector<EdsTaskList>& lists, Instant now,
                           const SnapshotOptions& options);

} // namespace tandry
