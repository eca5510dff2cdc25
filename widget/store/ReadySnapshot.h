#pragma once

#include "widget/system/Instant.h"
#include "widget/store/Uuid.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tandry {

struct PendingCompletion;

// The tasks that parked ticks name, each once, kept sorted in one block of
// memory: a queue of 100,000 ticks is looked up as fast as a hash set, and
// freed at once rather than node by node.
class TickedTasks {
public:
    TickedTasks() = default;
    explicit TickedTasks(std::vector<Uuid> tasks);

    bool contains(const Uuid& task) const;
    bool empty() const { return sorted_.empty(); }
    std::size_t size() const { return sorted_.size(); }

private:
    std::vector<Uuid> sorted_;
};

// The host application's list of tasks that are ready now, as published in
// "ready-snapshot.json".
struct ReadySnapshot {
    // One ready task; identified by `id`.
    struct Item {
        Uuid id;
        std::string title;
        std::string flowName;
        std::optional<Instant> dueDate;
        bool isOverdue = false;
        bool isToday = false;
        std::string priorityRaw;

        bool operator==(const Item&) const = default;
    };

    // The instant from which the snapshot counts as expired.
    Instant validUntil;
    // How many tasks the host counts as ready; `tasks` may list fewer.
    std::int64_t total = 0;
    std::vector<Item> tasks;
    std::string paletteRaw;
    std::optional<std::string> emptyReason;

    bool operator==(const ReadySnapshot&) const = default;

    // The snapshot as the widget shows it with the given ticks parked: every
    // ticked task removed and `total` lowered by the number of items removed,
    // never below zero. With no ticks the snapshot comes back unchanged.
    [[nodiscard]] ReadySnapshot
    applyingPending(const std::vector<PendingCompletion>& pending) const;

    // The same for the tasks that the parked ticks name, collected once
    // (tickedTasks) where a queue of thousands is overlaid more than once.
    [[nodiscard]] ReadySnapshot applyingTicked(const TickedTasks& ticked) const;
};

// The ticked task identities of a queue; several ticks of one task collapse.
TickedTasks tickedTasks(const std::vector<PendingCompletion>& pending);

std::ostream& operator<<(std::ostream& out, const ReadySnapshot::Item& item);
std::ostream& operator<<(std::ostream& out, const ReadySnapshot& snapshot);

} // namespace tandry
