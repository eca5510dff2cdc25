#pragma once

#include "widget/system/Environment.h"
#include "widget/system/Error.h"

#include <chrono>
#include <string>
#include <vector>

namespace tandry {

// What one run of Taskwarrior's `task` printed and how it ended.
struct TaskOutput {
    int exitStatus = 0;
    std::string standardOutput;
    std::string standardError;

    bool operator==(const TaskOutput&) const = default;
};

// Runs `task` without a shell, found on the PATH of the environment it is
// given (which carries the user's TASKRC and TASKDATA), with the settings
// every call of the bridge needs put before `arguments`: no confirmation
// prompts, no messages around the output, JSON exports as one array.
class TaskCommand {
public:
    // A run that takes longer than `timeout` (a lock held for good by another
    // `task`, a hook that hangs) is stopped and fails.
    TaskCommand(Environment environment, std::chrono::milliseconds timeout);

    // Fails when `task` cannot be started or is stopped; a run that ends with
    // any exit status is a result.
    Result<TaskOutput> run(const std::vector<std::string>& arguments) const;

    const Environment& environment() const { return environment_; }

private:
    Environment environment_;
    std::chrono::milliseconds timeout_;
};

} // namespace tandry
