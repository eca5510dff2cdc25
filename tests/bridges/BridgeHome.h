#pragma once

#include "tests/support/Subprocess.h"
#include "tests/support/TemporaryDirectory.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

namespace tandry::testing {

// A private data home for the widget and a bridge, in UTC, and the card as
// the widget shows it.
class BridgeHome : public ::testing::Test {
protected:
    using Json = nlohmann::json;
    using Words = std::vector<std::string>;

    BridgeHome() { writeFile(home.path() / "Info.json", R"({"MarrowbyAppGroup":"tw"})"); }

    std::filesystem::path container() const { return home.path() / "group-containers/tw"; }
    std::filesystem::path queue() const { return container() / "pending-completions"; }

    // What the widget and the bridge run with; a store adds its own.
    virtual EnvironmentChanges environment() const {
        return {{"XDG_DATA_HOME", home.path().string()},
                {"TANDRY_WIDGET_INFO", (home.path() / "Info.json").string()},
                {"TZ", "UTC"},
                {"LANGUAGE", "en"},
                {"LANG", "C.UTF-8"}};
    }

    // Runs the bridge for `store` with `words`, the environment changed by `changes`.
    CommandResult bridge(const std::string& store, Words words,
                         const EnvironmentChanges& changes = {}) const {
        words.insert(words.begin(), {TANDRY_BRIDGE_BINARY, store});
        EnvironmentChanges all = environment();
        for (const auto& [name, value] : changes) {
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

    // True once `shown` holds for the card; false after a generous wait.
    bool eventually(const std::function<bool(const Json&)>& shown) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (shown(card())) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    // The card's id of the listed task titled `title`; empty when none is.
    std::string idOf(const std::string& title) const {
        const Json snapshot = card();
        for (const Json& item : snapshot.is_object() ? snapshot.at("tasks") : Json::array()) {
            if (item.at("title") == title) {
                return item.at("id");
            }
        }
        return {};
    }

    static bool lists(const Json& snapshot, const std::string& id) {
        return std::ranges::count(listedIds(snapshot), id) == 1;
    }

    // Parks a tick of `id` as the card's tick button does.
    void tick(const std::string& id) const {
        const auto result = widget({"tick", id});
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
