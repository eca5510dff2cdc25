#include "bridges/BridgeCycle.h"

#include "bridges/Publication.h"
#include "bridges/QueueRecords.h"
#include "widget/timeline/WidgetKind.h"

#include <fmt/format.h>

namespace tandry {
namespace {

// Logs each undecodable record once in the life of the bridge; a record that
// goes away is forgotten, so that a new one under its name is logged again.
void reportUndecodable(const std::vector<std::filesystem::path>& undecodable,
                       std::set<std::filesystem::path>& reported, SystemLog& log) {
    std::set<std::filesystem::path> stillThere;
    for (const auto& file : undecodable) {
        if (!reported.contains(file)) {
            log.error(fmt::format("left alone: {} is not a tick record", file.string()));
        }
        stillThere.insert(file);
    }
    reported = std::move(stillThere);
}

} // namespace

BridgeCycle::BridgeCycle(std::filesystem::path container, Services services)
    : container_(std::move(container)), services_(std::move(services)) {}

Result<CycleReport> BridgeCycle::run() {
    if (auto created = ensureContainer(container_); !created) {
        return std::unexpected(created.error());
    }
    QueueListing queue = listQueue(container_);
    reportUndecodable(queue.undecodable, reportedUndecodable_, services_.log);

    // 1. Apply the ticks; a store failure keeps the record and is reported
    //    once, after the pass, as the pass's failure.
    std::vector<QueueRecord> consumed;
    std::vector<Uuid> completedTasks;
    std::optional<Error> tickFailure;
    for (QueueRecord& record : queue.records) {
        const Uuid& task = record.completion.taskID;
        auto outcome = services_.store.complete(task);
        if (!outcome) {
            tickFailure = outcome.error();
            continue;
        }
        if (*outcome == CompletionOutcome::unknownTask) {
            services_.log.error(
                fmt::format("tick of unknown task {} consumed: no such task", uuidText(task)));
        }
        completedTasks.push_back(task);
        consumed.push_back(std::move(record));
    }

    // 2. Publish without the ticked tasks, whatever the store still says.
    auto snapshot = services_.store.readySnapshot(services_.now());
    if (!snapshot) {
        return std::unexpected(snapshot.error());
    }
    const ReadySnapshot published =
        snapshot->applyingTicked(TickedTasks(std::move(completedTasks)));
    if (auto written = publishSnapshot(container_, published); !written) {
        return std::unexpected(written.error());
    }

    // 3. Only now may the records go: a load that reads the queue after
    //    this finds the new snapshot in place, and reads it again.
    if (auto removed = removeRecords(container_, consumed); !removed) {
        return std::unexpected(removed.error());
    }

    // 4. The host shows what was published.
    services_.reload.reloadTimelines(readyWidgetKind);

    if (tickFailure) {
        return fail(fmt::format("a tick was kept for the next try: {}", tickFailure->message));
    }
    return CycleReport{.validUntil = published.validUntil,
                       .consumedTicks = static_cast<int>(consumed.size())};
}

} // namespace tandry
