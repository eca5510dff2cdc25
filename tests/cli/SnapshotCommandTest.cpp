#include "tests/support/Subprocess.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tandry {
namespace {

using testing::runCommand;
using testing::TemporaryDirectory;
using testing::writeFile;

constexpr const char* liveSnapshot =
    R"({"validUntil":"2026-12-05T18:00:00Z","total":2,"tasks":[{"id":"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90","title":"Send the invoice","flowName":"Finance","isOverdue":false,"isToday":true,"priorityRaw":"none"},{"id":"9B3E7F21-C8D4-4A6B-8E05-71F2A3C9D6E4","title":"Water the plants","flowName":"Home","isOverdue":false,"isToday":false,"priorityRaw":"none"}],"paletteRaw":"green"})";

// A tick parked for the first task of liveSnapshot.
constexpr const char* parkedTick =
    R"({"id":"5C1F0B7E-2A94-4E8D-B3C6-9D07A1E4F258","taskID":"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90","requestedAt":"2026-12-05T08:00:00Z"})";

// A private data home with the group "cli.test", its container and a live
// snapshot with one parked tick.
class SnapshotCommand : public ::testing::Test {
protected:
    SnapshotCommand() {
        writeFile(home.path() / "Info.json", R"({"MarrowbyAppGroup":"cli.test"})");
        writeFile(container() / "ready-snapshot.json", liveSnapshot);
        writeFile(container() / "pending-completions/5C1F0B7E-2A94-4E8D-B3C6-9D07A1E4F258.json",
                  parkedTick);
    }

    std::filesystem::path container() const { return home.path() / "group-containers/cli.test"; }

    testing::CommandResult run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), TANDRY_WIDGET_BINARY);
        return runCommand(arguments, {{"XDG_DATA_HOME", home.path().string()},
                                      {"TANDRY_WIDGET_INFO", (home.path() / "Info.json").string()},
                                      {"LANGUAGE", "en"},
                                      {"LC_ALL", std::nullopt},
                                      {"LC_MESSAGES", std::nullopt},
                                      {"LANG", std::nullopt},
                                      {"TZ", "UTC"}});
    }

    TemporaryDirectory home;
};

TEST_F(SnapshotCommand, PrintsTheEntryOfTheContainerWithoutReload) {
    struct Row {
        std::vector<std::string> arguments;
        std::string expected;
    };
    const Row rows[] = {
        {{"snapshot", "--at", "2026-12-05T10:00:00+01:00"},
         R"({"date":"2026-12-05T09:00:00Z","state":"ready","snapshot":{"validUntil":"2026-12-05T18:00:00Z","total":1,"tasks":[{"id":"9B3E7F21-C8D4-4A6B-8E05-71F2A3C9D6E4","title":"Water the plants","flowName":"Home","isOverdue":false,"isToday":false,"priorityRaw":"none"}],"paletteRaw":"green"}})"},
        {{"snapshot", "--at", "2026-12-05T18:00:00Z"},
         R"({"date":"2026-12-05T18:00:00Z","state":"stale"})"},
        {{"snapshot", "--at", "2026-12-06T00:00:00Z"},
         R"({"date":"2026-12-06T00:00:00Z","state":"stale"})"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments.back());
        auto result = run(row.arguments);
        EXPECT_EQ(result.exitStatus, 0) << result.standardError;
        EXPECT_EQ(result.standardOutput, row.expected + "\n");
    }

    std::filesystem::remove(container() / "ready-snapshot.json");
    auto waiting = run({"snapshot", "--at", "2026-12-05T09:00:00Z"});
    EXPECT_EQ(waiting.exitStatus, 0);
    EXPECT_EQ(waiting.standardOutput, R"({"date":"2026-12-05T09:00:00Z","state":"waitingForApp"})"
                                      "\n");
}

TEST_F(SnapshotCommand, PreviewShowsTheSampleWhateverTheContainerHolds) {
    for (bool withContainer : {true, false}) {
        SCOPED_TRACE(withContainer ? "with a container" : "without a container");
        if (!withContainer) {
            std::filesystem::remove_all(container());
        }
        auto result = run({"snapshot", "--preview", "--at", "2026-12-05T09:00:00Z"});
        ASSERT_EQ(result.exitStatus, 0) << result.standardError;
        auto answer = nlohmann::json::parse(result.standardOutput);
        EXPECT_EQ(answer["date"], "2026-12-05T09:00:00Z");
        EXPECT_EQ(answer["state"], "ready");
        EXPECT_FALSE(answer.contains("reload"));
        const auto& snapshot = answer["snapshot"];
        EXPECT_EQ(snapshot["validUntil"], "4001-01-01T00:00:00Z");
        EXPECT_EQ(snapshot["paletteRaw"], "violet");
        EXPECT_EQ(snapshot["total"], 4);
        ASSERT_EQ(snapshot["tasks"].size(), 4u);
        EXPECT_EQ(snapshot["tasks"][0]["title"], "Send the quarterly report");
        EXPECT_EQ(snapshot["tasks"][0]["dueDate"], "2026-12-04T09:00:00Z");
        EXPECT_EQ(snapshot["tasks"][1]["isToday"], true);
    }
}

TEST_F(SnapshotCommand, RejectsUsageErrorsWithStatusTwo) {
    const std::vector<std::vector<std::string>> usages = {
        {"snapshot", "--at"},
        {"snapshot", "--at", "tomorrow"},
        {"snapshot", "--preview=yes"},
        {"snapshot", "extra"},
        {"snapshot", "--family", "small"},
        {"placeholder", "--at", "2026-12-05T09:00:00Z"},
        {"placeholder", "--preview"},
        {"placeholder", "extra"},
    };
    for (const auto& usage : usages) {
        SCOPED_TRACE(::testing::PrintToString(usage));
        auto result = run(usage);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_TRUE(result.standardOutput.empty());
        EXPECT_FALSE(result.standardError.empty());
    }
}

} // namespace
} // namespace tandry
