#pragma once

#include "tests/bridges/BridgeHome.h"

namespace tandry::testing {

// A private Taskwarrior (TASKDATA, TASKRC with a hooks folder) beside the
// bridge's data home.
class TaskwarriorHome : public BridgeHome {
protected:
    TaskwarriorHome() {
        writeFile(rcFile(), "hooks.location=" + (home.path() / "hooks").string() + "\n");
        std::filesystem::create_directories(home.path() / "task");
        std::filesystem::create_directories(home.path() / "hooks");
    }

    std::filesystem::path rcFile() const { return home.path() / "taskrc"; }

    EnvironmentChanges environment() const override {
        EnvironmentChanges all = BridgeHome::environment();
        all["TASKDATA"] = (home.path() / "task").string();
        all["TASKRC"] = rcFile().string();
        return all;
    }

    // Runs `task` with the words; fails the test unless it exits 0.
    std::string task(const Words& words) const {
        Words arguments{"task", "rc.verbose=nothing", "rc.confirmation=off", "rc.json.array=1"};
        arguments.insert(arguments.end(), words.begin(), words.end());
        const auto result = runCommand(arguments, environment());
        EXPECT_EQ(result.exitStatus, 0) << result.standardError;
        return result.standardOutput;
    }

    // Adds a task and returns its uuid in upper case, as the card shows it.
    std::string add(const Words& words) const {
        Words arguments{"add"};
        arguments.insert(arguments.end(), words.begin(), words.end());
        task(arguments);
        const Json added = Json::parse(task({"+LATEST", "export"}));
        std::string uuid = added.at(0).at("uuid");
        for (char& c : uuid) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return uuid;
    }

    // The task's exported fields.
    Json exported(const std::string& uuid) const {
        std::string lower = uuid;
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        const Json tasks = Json::parse(task({lower, "export"}));
        return tasks.empty() ? Json() : tasks.at(0);
    }

    CommandResult bridge(Words words, EnvironmentChanges changes = {}) const {
        return BridgeHome::bridge("taskwarrior", std::move(words), changes);
    }
};

} // namespace tandry::testing
