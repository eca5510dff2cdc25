#include "widget/store/ReadySnapshot.h"

#include "widget/store/PendingCompletion.h"

#include <algorithm>
#include <ostream>

namespace tandry {

TickedTasks::TickedTasks(std::vector<Uuid> tasks) : sorted_(std::move(tasks)) {
    std::ranges::sort(sorted_);
    const auto repeated = std::ranges::unique(sorted_);
    sorted_.erase(repeated.begin(), repeated.end());
}

bool TickedTasks::contains(const Uuid& task) const {
    return std::ranges::binary_search(sorted_, task);
}

TickedTasks tickedTasks(const std::vector<PendingCompletion>& pending) {
    std::vector<Uuid> ticked;
    ticked.reserve(pending.size());
    for (const auto& completion : pending) {
        ticked.push_back(completion.taskID);
    }
    return TickedTasks(std::move(ticked));
}

ReadySnapshot ReadySnapshot::applyingPending(const std::vector<PendingCompletion>& pending) const {
    return applyingTicked(tickedTasks(pending));
}

ReadySnapshot ReadySnapshot::applyingTicked(const TickedTasks& ticked) const {
    // 1. With no ticks the snapshot stays as it is.
    if (ticked.empty()) {
        return *this;
    }

    // 2. Keep the items that were not ticked, in their order; every removed
    //    item counts, so two items with one id lower the total by two.
    ReadySnapshot result{validUntil, 0, {}, paletteRaw, emptyReason};
    result.tasks.reserve(tasks.size());
    for (const auto& item : tasks) {
        if (!ticked.contains(item.id)) {
            result.tasks.push_back(item);
        }
    }
    std::uint64_t removed = tasks.size() - result.tasks.size();

    // 3. Lower the total, floored at zero; a negative total also becomes zero.
    //    Compared as unsigned so that no value of either operand overflows.
    if (total > 0 && static_cast<std::uint64_t>(total) > removed) {
        result.total = static_cast<std::int64_t>(static_cast<std::uint64_t>(total) - removed);
    }
    return result;
}

std::ostream& operator<<(std::ostream& out, const ReadySnapshot::Item& item) {
    out << "Item{" << item.id << ", \"" << item.title << "\", \"" << item.flowName << "\", due ";
    if (item.dueDate) {
        out << *item.dueDate;
    } else {
        out << "none";
    }
    return out << (item.isOverdue ? ", overdue" : "") << (item.isToday ? ", today" : "") << ", \""
               << item.priorityRaw << "\"}";
}

std::ostream& operator<<(std::ostream& out, const ReadySnapshot& snapshot) {
    out << "ReadySnapshot{validUntil " << snapshot.validUntil << ", total " << snapshot.total
        << ", palette \"" << snapshot.paletteRaw << "\", emptyReason ";
    if (snapshot.emptyReason) {
        out << '"' << *snapshot.emptyReason << '"';
    } else {
        out << "none";
    }
    out << ", tasks [";
    for (const auto& item : snapshot.tasks) {
        out << "\n  " << item;
    }
    return out << "]}";
}

} // namespace tandry
