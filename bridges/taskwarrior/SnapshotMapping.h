#pragma once

#include "bridges/SnapshotOptions.h"
#include "bridges/taskwarrior/TaskwarriorTask.h"
#include "widget/store/ReadySnapshot.h"

#include <vector>

namespace tandry {

// The urgency that the export adds to every blocked task: a blocking task
// need not be in the export (it may lie outside the filter, or be neither
// ready nor due to change), so only Taskwarrior knows, and a user urgency
// coefficient of the BLOCKED tag is the one way its export tells. No task's
// own urgency comes near it.
inline constexpr double blockedUrgencyMark = -1e9;

// What the store holds besides an export that has no task in it.
enum class OtherTasks { none, finished, open };

// The latest instant a snapshot made at `now` is valid until: the next local
// midnight, when isToday and isOverdue may change. A deferred task matters to
// the snapshot only when its date falls before it.
Instant validityHorizon(Instant now);

// Maps an export at `now` onto the snapshot. The export holds the ready tasks
// and the open ones whose wait, scheduled or until date falls before the
// horizon, with the blocked ones marked.
// 1. ready: open, not blocked, neither waiting nor scheduled after `now`;
// 2. highest urgency first (the order of `task next`), then by task number;
// 3. the first `limit` listed, all counted;
// 4. valid until the earliest of the horizon, the first future due instant
//    of a listed task and the first future wait, scheduled or until instant
//    of an exported task;
// 5. when nothing is ready, why: deferred tasks (in the export, or `others`
//    when it is empty), only finished ones, or none.
ReadySnapshot mapSnapshot(const std::vector<TaskwarriorTask>& exported, Instant now,
                          const SnapshotOptions& options, OtherTasks others);

} // namespace tandry
