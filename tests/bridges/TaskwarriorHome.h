#pragma once

#include "tests/support/Subprocess.h"
#include "tests/support/TemporaryDirectory.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tandry::testing {

// A private Taskwarrior (TASKDATA, TASKRC with a hooks folder) and a private
// data home for the widget and the bridge, in UTC.
class TaskwarriorHome : public ::testing::Test {
protected:
    using Json = nlohmann::json;
    using Words = std::vector<std::string>;

    TaskwarriorHome() {
        writeFile(home.path() / "Info.json", R"({"MarrowbyAppGroup":"tw"})");
        writeFile(rcFile(), "hooks.location=" + (home.path() / "hooks").string() + "\n");
        std::filesystem::create_directories(home.path() / "task");
        std::filesystem::create_directories(home.path() / "hooks");
    }

    std::filesystem::path rcFile() const { return home.path() / "taskrc"; }
    std::filesystem::path container() const { return home.path() / "group-containers/tw"; }
    std::filesystem::path queue() const { return container() / "pending-completions"; }

    EnvironmentChanges environment() const {
        return {{"TASKDATA", (home.path() / "task").string()},
                {"TASKRC", rcFile().string()},
                {"XDG_DATA_HOME", home.path().string()},
                {"TANDRY_WIDGET_INFO", (home.path() / "Info.json").string()},
                {"TZ", "UTC"},
                {"LANGUAGE", "en"},
                {"LANG", "C.UTF-8"}};
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
        words.insert(words.begin(), {TANDRY_BRIDGE_BINARY, "taskwarrior"});
        EnvironmentChanges all = environment();
        for (auto& [name, value] : changes) {
            all[name] = value;
        }
        return runCommand(words, all);
    }

    CommandResult widget(const Words& words) const {
        Words arguments{TANDRY_WIDGET_BINARY};
        arguments.insert(arguments.end(), words.begin(), words.end());
        return runCommand(arguments, environment());
    }

    // The card's snapshot as `tandry-widget timeline` answers now.
    Json card() const {
        const auto result = widget({"timeline"});
        EXPECT_EQ(result.exitStatus, 0) << result.standardError;
        const Json answer = Json::parse(result.standardOutput);
        return answer.value("snapshot", Json());
    }

    // The ids the card lists, in order.
    static Words listedIds(const Json& snapshot) {
        Words ids;
        if (snapshot.is_object()) {
            for (const Json& item : snapshot.at("tasks")) {
                ids.push_back(item.at("id"));
            }
        }
        return ids;
    }

    // Parks a tick of `uuid` as the card's tick button does.
    void tick(const std::string& uuid) const {
        const auto result = widget({"tick", uuid});
        ASSERT_EQ(result.exitStatus, 0) << result.standardError;
    }

    std::size_t parkedRecords() const {
        std::size_t count = 0;
        if (std::filesystem::is_directory(queue())) {
            for (const auto& entry : std::filesystem::directory_iterator(queue())) {
                count += entry.path().extension() == ".json" ? 1 : 0;
            }
        }
        return count;
    }

    TemporaryDirectory home;
};

} // namespace tandry::testing
