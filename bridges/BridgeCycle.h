#pragma once

#include "bridges/TaskStore.h"
#include "widget/intents/ReloadChannel.h"
#include "widget/intents/SystemLog.h"
#include "widget/system/Error.h"
#include "widget/system/Instant.h"

#include <filesystem>
#include <functional>
#include <set>

namespace tandry {

// What one pass published.
struct CycleReport {
    // The published snapshot's validUntil: when the next pass is due at the latest.
    Instant validUntil;
    // Ticks applied to the store and removed from the queue.
    int consumedTicks = 0;

    bool operator==(const CycleReport&) const = default;
};

// One pass of a bridge: the task manager's part for one task store.
class BridgeCycle {
public:
    struct Services {
        TaskStore& store;
        SystemLog& log;
        ReloadChannel& reload;
        std::function<Instant()> now;
    };

    BridgeCycle(std::filesystem::path container, Services services);

    // 1. Applies every parked tick that decodes to the store.
    // 2. Publishes the store's ready tasks without the ticked ones.
    // 3. Removes the records of the applied ticks, a moment later.
    // 4. Asks the host to reload.
    // In this order a ticked task never comes back on the card: while its
    // record is parked the widget hides it, and once the record is gone the
    // published snapshot no longer lists it. A store failure on a tick keeps
    // its record for the next pass; a failure to read the store publishes
    // nothing and removes nothing.
    Result<CycleReport> run();

private:
    std::filesystem::path container_;
    Services services_;
    // Undecodable records already logged: each is logged once.
    std::set<std::filesystem::path> reportedUndecodable_;
};

} // namespace tandry
