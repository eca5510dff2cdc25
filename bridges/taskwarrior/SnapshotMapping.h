#pragma once

#include "bridges/SnapshotOptions.h"
#include "bridges/taskwarrior/TaskwarriorTask.h"
#include "widget/store/ReadySnapshot.h"

#include <vector>

namespace tandry {

// The urgency that a filtered export adds to every blocked task: a blocking
// task may lie outside the filter, so only Taskwarrior knows, and a user
// urgency coefficient of the BLOCKED tag is the one way its export tells. No
// task's own urgency comes near it. It costs Taskwarrior a third more time,
// so an export of every open task is read without it: a task is blocked
// there when a task it depends on is in the same export.
inline constexpr double blockedUrgencyMark = -1e9;

// Whether the store holds tasks that are not open.
enum class FinishedTasks { none, some };

// Maps the open tasks of an export (pending and waiting, with the blocked
// ones marked) at `now` onto the snapshot:
// 1. ready: open, not blocked, neither waiting nor scheduled after `now`;
// 2. highest urgency first (the order of `task next`), then by task number;
// 3. the first `limit` listed, all counted;
// 4. valid until the earliest of the next local midnight, the first future
//    due instant of a listed task and the first future wait, scheduled or
//    until instant of any open task;
// 5. when nothing is ready, why: deferred tasks, only finished ones, or none.
ReadySnapshot mapSnapshot(const std::vector<TaskwarriorTask>& openTasks, Instant now,
                          const SnapshotOptions& options, FinishedTasks finished);

} // namespace tandry
