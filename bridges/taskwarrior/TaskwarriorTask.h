#pragma once

#include "widget/store/Uuid.h"
#include "widget/system/Error.h"
#include "widget/system/Instant.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tandry {

// One task of a `task export`, with the fields the bridge reads.
struct TaskwarriorTask {
    Uuid uuid;
    // The working-set number; 0 for tasks that have none (completed, deleted).
    std::int64_t id = 0;
    std::string description;
    std::string project;
    std::string status;
    // "H", "M", "L", or empty.
    std::string priority;
    std::optional<Instant> due;
    std::optional<Instant> wait;
    std::optional<Instant> scheduled;
    std::optional<Instant> until;
    double urgency = 0;
    // The tasks this one waits for.
    std::vector<Uuid> depends;

    bool operator==(const TaskwarriorTask&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TaskwarriorTask& task);

// Decodes the JSON array that `task export` prints with rc.json.array=1.
// Keys the bridge does not read are ignored; a task without a valid uuid,
// a date that is not Taskwarrior's date text or text that is not a JSON
// array fails the whole export, with the task's position in the message.
Result<std::vector<TaskwarriorTask>> decodeTaskExport(std::string_view json);

// Reads Taskwarrior's date text, "20261205T180000Z" (UTC, whole seconds).
Result<Instant> parseTaskwarriorDate(std::string_view text);

} // namespace tandry
