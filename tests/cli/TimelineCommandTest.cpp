#include "tests/support/Subprocess.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tandry {
namespace {

using testing::runCommand;
using testing::TemporaryDirectory;
using testing::writeFile;

constexpr const char* workedExample =
    R"({"validUntil":"2026-12-05T18:00:00.250Z","total":5,"tasks":[{"id":"0d5a2c64-7e1b-4f3a-9c11-2b6e8d4f7a90","title":"Send the invoice","flowName":"Finance","dueDate":"2026-12-04T18:00:00+01:00","isOverdue":true,"isToday":false,"priorityRaw":"none"}],"paletteRaw":"green","extra":[1e400]})";

// A private data home with the group "cli.test" and its container.
class TimelineCommand : public ::testing::Test {
protected:
    TimelineCommand() {
        writeFile(home.path() / "Info.json", R"({"MarrowbyAppGroup":"cli.test"})");
        std::filesystem::create_directories(container());
    }

    std::filesystem::path container() const { return home.path() / "group-containers/cli.test"; }

    testing::CommandResult run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), TANDRY_WIDGET_BINARY);
        return runCommand(arguments, {{"XDG_DATA_HOME", home.path().string()},
                                      {"TANDRY_WIDGET_INFO", (home.path() / "Info.json").string()}});
    }

    TemporaryDirectory home;
};

TEST_F(TimelineCommand, PrintsAReadyEntryWithItsReload) {
    writeFile(container() / "ready-snapshot.json", workedExample);
    auto result = run({"timeline", "--at", "2026-12-05T10:00:00.9+01:00"});
    ASSERT_EQ(result.exitStatus, 0) << result.standardError;
    EXPECT_EQ(result.standardOutput,
              R"({"date":"2026-12-05T09:00:00Z","state":"ready","snapshot":{"validUntil":"2026-12-05T18:00:00Z","total":5,"tasks":[{"id":"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90","title":"Send the invoice","flowName":"Finance","dueDate":"2026-12-04T17:00:00Z","isOverdue":true,"isToday":false,"priorityRaw":"none"}],"paletteRaw":"green"},"reload":{"after":"2026-12-05T18:00:01Z"}})"
              "\n");
}

TEST_F(TimelineCommand, PrintsStaleAndWaitingEntriesWithoutReload) {
    writeFile(container() / "ready-snapshot.json", workedExample);
    auto stale = run({"timeline", "--at", "2026-12-05T18:00:00.250Z"});
    EXPECT_EQ(stale.exitStatus, 0);
    EXPECT_EQ(stale.standardOutput,
              R"({"date":"2026-12-05T18:00:00Z","state":"stale","reload":"never"})" "\n");

    std::filesystem::remove(container() / "ready-snapshot.json");
    auto waiting = run({"timeline", "--at", "2026-12-05T09:00:00Z"});
    EXPECT_EQ(waiting.exitStatus, 0);
    EXPECT_EQ(waiting.standardOutput,
              R"({"date":"2026-12-05T09:00:00Z","state":"waitingForApp","reload":"never"})" "\n");
}

TEST_F(TimelineCommand, ReadsTheClockWithoutAt) {
    auto result = run({"timeline"});
    ASSERT_EQ(result.exitStatus, 0);
    auto answer = nlohmann::json::parse(result.standardOutput);
    EXPECT_EQ(answer["state"], "waitingForApp");
    EXPECT_GE(answer["date"].get<std::string>(), "2026-01-01T00:00:00Z");
}

TEST_F(TimelineCommand, RejectsUsageErrorsWithStatusTwo) {
    const std::vector<std::vector<std::string>> usages = {
        {}, {"timeline", "--at"}, {"timeline", "--at", "yesterday"}, {"timeline", "extra"},
        {"no-such-command"}};
    for (const auto& usage : usages) {
        SCOPED_TRACE(::testing::PrintToString(usage));
        auto result = run(usage);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_TRUE(result.standardOutput.empty());
        EXPECT_FALSE(result.standardError.empty());
    }
    auto invalid = run({"timeline", "--at", "2026-02-30T00:00:00Z"});
    EXPECT_NE(invalid.standardError.find("invalid date text \"2026-02-30T00:00:00Z\""),
              std::string::npos)
        << invalid.standardError;
}

} // namespace
} // namespace tandry
