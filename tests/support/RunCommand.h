#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tandry::testing {

struct CommandResult {
    int exitStatus = -1;
    std::string standardOutput;
    std::string standardError;
};

// The current environment as "NAME=value" entries, changed by `changes`
// (nullopt removes a variable): what a child process is started with.
std::vector<std::string>
changedEnvironment(const std::map<std::string, std::optional<std::string>>& changes);

// The null-terminated array of pointers into `strings` that exec and spawn
// take for argv and envp; valid while `strings` is unchanged.
std::vector<char*> execArray(const std::vector<std::string>& strings);

// Runs a program to completion with the current environment changed by
// `environment` (nullopt removes a variable), capturing both output streams.
CommandResult runCommand(const std::vector<std::string>& arguments,
                         const std::map<std::string, std::optional<std::string>>& environment = {});

} // namespace tandry::testing
