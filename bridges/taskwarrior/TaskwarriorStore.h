#pragma once

#include "bridges/TaskStore.h"
#include "bridges/taskwarrior/SnapshotMapping.h"
#include "bridges/taskwarrior/TaskCommand.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tandry {

// Taskwarrior as a bridge's task store, asked through its `task` command.
class TaskwarriorStore final : public TaskStore {
public:
    // `filter` is Taskwarrior filter syntax that every listed task must also match.
    TaskwarriorStore(TaskCommand command, std::optional<std::string> filter,
                     SnapshotOptions options);

    // One export of the tasks that match the filter and are ready or change
    // before the snapshot's horizon (and the statuses of the others when
    // there are none), mapped onto the snapshot.
    Result<ReadySnapshot> readySnapshot(Instant now) override;

    // `task <uuid> done`, after an export of that one task has said whether
    // it is still open.
    Result<CompletionOutcome> complete(const Uuid& task) override;

    // The directory Taskwarrior keeps its data in, as its configuration says
    // (TASKDATA, else data.location of TASKRC).
    Result<std::filesystem::path> dataLocation() const;

private:
    // Runs `task` with `arguments` and fails, with the first line of what it
    // said, unless it exits 0.
    Result<std::string> output(const std::vector<std::string>& arguments) const;
    // The filter words that restrict a query to the user's tasks, then `rest`.
    std::vector<std::string> filtered(std::initializer_list<std::string> rest) const;

    TaskCommand command_;
    std::optional<std::string> filter_;
    SnapshotOptions options_;
};

} // namespace tandry
