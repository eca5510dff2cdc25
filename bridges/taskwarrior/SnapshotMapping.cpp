#include "bridges/taskwarrior/SnapshotMapping.h"

#include "bridges/LocalCalendar.h"

#include <algorithm>
#include <unordered_set>

namespace tandry {
namespace {

bool isBlocked(const TaskwarriorTask& task, const std::unordered_set<Uuid>& open) {
    return task.urgency <= blockedUrgencyMark / 2 ||
           std::ranges::any_of(task.depends,
                               [&](const Uuid& other) { return open.contains(other); });
}

bool isReady(const TaskwarriorTask& task, Instant now, const std::unordered_set<Uuid>& open) {
    const auto deferred = [now](const std::optional<Instant>& instant) {
        return instant && *instant > now;
    };
    return (task.status == "pending" || task.status == "waiting") && !isBlocked(task, open) &&
           !deferred(task.wait) && !deferred(task.scheduled);
}

std::string priorityRaw(std::string_view priority) {
    if (priority == "H") {
        return "high";
    }
    if (priority == "M") {
        return "medium";
    }
    if (priority == "L") {
        return "low";
    }
    return "none";
}

ReadySnapshot::Item itemOf(const TaskwarriorTask& task, Instant now,
                           const std::optional<LocalDate>& today) {
    return ReadySnapshot::Item{
        .id = task.uuid,
        .title = task.description,
        .flowName = task.project,
        .dueDate = task.due,
        .isOverdue = task.due && *task.due < now,
        .isToday = task.due && today && localDateOf(*task.due) == today,
        .priorityRaw = priorityRaw(task.priority),
    };
}

// The earlier of `current` and `candidate`, when the candidate lies after `now`.
void keepEarliestFuture(Instant& current, const std::optional<Instant>& candidate, Instant now) {
    if (candidate && *candidate > now && *candidate < current) {
        current = *candidate;
    }
}

} // namespace

Instant validityHorizon(Instant now) {
    return nextLocalMidnight(now).value_or(now + std::chrono::hours{1});
}

ReadySnapshot mapSnapshot(const std::vector<TaskwarriorTask>& exported, Instant now,
                          const SnapshotOptions& options, OtherTasks others) {
    // 1. The ready tasks.
    std::unordered_set<Uuid> open;
    for (const TaskwarriorTask& task : exported) {
        open.insert(task.uuid);
    }
    std::vector<const TaskwarriorTask*> ready;
    for (const TaskwarriorTask& task : exported) {
        if (isReady(task, now, open)) {
            ready.push_back(&task);
        }
    }

    // 2. Most urgent first.
    std::ranges::stable_sort(ready, [](const TaskwarriorTask* left, const TaskwarriorTask* right) {
        if (left->urgency != right->urgency) {
            return left->urgency > right->urgency;
        }
        return left->id < right->id;
    });

    // 3. The listed ones and the count.
    ReadySnapshot snapshot;
    snapshot.total = static_cast<std::int64_t>(ready.size());
    snapshot.paletteRaw = options.palette;
    const auto listed = static_cast<std::size_t>(
        std::clamp<std::int64_t>(options.limit, 0, static_cast<std::int64_t>(ready.size())));
    const auto today = localDateOf(now);
    for (std::size_t i = 0; i < listed; ++i) {
        snapshot.tasks.push_back(itemOf(*ready[i], now, today));
    }

    // 4. The first instant at which the card would show something else.
    snapshot.validUntil = validityHorizon(now);
    for (const auto& item : snapshot.tasks) {
        keepEarliestFuture(snapshot.validUntil, item.dueDate, now);
    }
    for (const TaskwarriorTask& task : exported) {
        keepEarliestFuture(snapshot.validUntil, task.wait, now);
        keepEarliestFuture(snapshot.validUntil, task.scheduled, now);
        keepEarliestFuture(snapshot.validUntil, task.until, now);
    }

    // 5. Why the card is empty.
    if (ready.empty()) {
        if (!exported.empty() || others == OtherTasks::open) {
            snapshot.emptyReason = "allDeferred";
        } else if (others == OtherTasks::finished) {
            snapshot.emptyReason = "allDone";
        } else {
            snapshot.emptyReason = "noTasks";
        }
    }
    return snapshot;
}

} // namespace tandry
