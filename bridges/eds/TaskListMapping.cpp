#include "bridges/eds/TaskListMapping.h"

#include "bridges/LocalCalendar.h"

#include <algorithm>
#include <string_view>
#include <tuple>

namespace tandry {
namespace {

struct ReadyTask {
    const EdsTask* task;
    const EdsTaskList* list;
    bool isOverdue;
};

bool isOpen(const EdsTask& task) {
    return task.progress == TaskProgress::open;
}

bool startsLater(const EdsTask& task, Instant now) {
    return task.start && *task.start > now;
}

std::string priorityRaw(int priority) {
    if (priority >= 1 && priority <= 4) {
        return "high";
    }
    if (priority == 5) {
        return "medium";
    }
    if (priority >= 6 && priority <= 9) {
        return "low";
    }
    return "none";
}

// What the order compares, most significant first: a smaller key comes first.
auto orderKey(const ReadyTask& ready) {
    const EdsTask& task = *ready.task;
    const bool hasDue = task.due.has_value();
    const Instant due = hasDue ? task.due->shown : Instant{};
    const int priorityRank = task.priority >= 1 && task.priority <= 9 ? task.priority : 10;
    return std::tuple(!ready.isOverdue, !hasDue, due, priorityRank, std::string_view(task.summary));
}

void keepEarliestFuture(Instant& current, const std::optional<Instant>& candidate, Instant now) {
    if (candidate && *candidate > now && *candidate < current) {
        current = *candidate;
    }
}

} // namespace

ReadySnapshot mapTaskLists(const std::vector<EdsTaskList>& lists, Instant now,
                           const SnapshotOptions& options) {
    // 1. The ready tasks, and what the others say about the empty card.
    std::vector<ReadyTask> ready;
    bool anyOpen = false;
    bool anyCompleted = false;
    for (const EdsTaskList& list : lists) {
        for (const EdsTask& task : list.tasks) {
            anyOpen = anyOpen || isOpen(task);
            anyCompleted = anyCompleted || task.progress == TaskProgress::completed;
            if (isOpen(task) && !startsLater(task, now)) {
                ready.push_back({&task, &list, task.due && now >= task.due->overdueFrom});
            }
        }
    }

    // 2. The order.
    std::ranges::stable_sort(ready, [](const ReadyTask& left, const ReadyTask& right) {
        return orderKey(left) < orderKey(right);
    });

    // 3. The listed ones and the count.
    ReadySnapshot snapshot;
    snapshot.total = static_cast<std::int64_t>(ready.size());
    snapshot.paletteRaw = options.palette;
    const auto listed = static_cast<std::size_t>(
        std::clamp<std::int64_t>(options.limit, 0, static_cast<std::int64_t>(ready.size())));
    const auto today = localDateOf(now);
    for (std::size_t i = 0; i < listed; ++i) {
        const EdsTask& task = *ready[i].task;
        snapshot.tasks.push_back(ReadySnapshot::Item{
            .id = task.cardId,
            .title = task.summary,
            .flowName = ready[i].list->displayName,
            .dueDate = task.due ? std::optional(task.due->shown) : std::nullopt,
            .isOverdue = ready[i].isOverdue,
            .isToday = task.due && today && localDateOf(task.due->shown) == today,
            .priorityRaw = priorityRaw(task.priority),
        });
    }

    // 4. The first instant at which the card would show something else.
    snapshot.validUntil = nextLocalMidnight(now).value_or(now + std::chrono::hours{1});
    for (const ReadyTask& one : ready) {
        if (one.task->due) {
            keepEarliestFuture(snapshot.validUntil, one.task->due->overdueFrom, now);
        }
    }
    for (const EdsTaskList& list : lists) {
        for (const EdsTask& task : list.tasks) {
            if (isOpen(task)) {
                keepEarliestFuture(snapshot.validUntil, task.start, now);
            }
        }
    }

    // 5. Why the card is empty.
    if (ready.empty()) {
        snapshot.emptyReason = anyOpen ? "allDeferred" : anyCompleted ? "allDone" : "noTasks";
    }
    return snapshot;
}

} // namespace tandry
