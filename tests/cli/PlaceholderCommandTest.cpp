#include "tests/support/Subprocess.h"
#include "tests/support/TemporaryDirectory.h"
#include "widget/store/Instant.h"

#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>

namespace tandry {
namespace {

using namespace std::chrono;
using testing::runCommand;
using testing::TemporaryDirectory;
using testing::writeFile;

using Environment = std::map<std::string, std::optional<std::string>>;

// Runs `tandry-widget placeholder` with a private data home whose container
// holds a snapshot, in the given language environment.
class PlaceholderCommand : public ::testing::Test {
protected:
    PlaceholderCommand() {
        writeFile(home.path() / "Info.json", R"({"MarrowbyAppGroup":"cli.test"})");
        writeFile(
            home.path() / "group-containers/cli.test/ready-snapshot.json",
            R"({"validUntil":"2999-01-01T00:00:00Z","total":0,"tasks":[],"paletteRaw":"green"})");
    }

    testing::CommandResult run(const Environment& language) {
        Environment environment{{"XDG_DATA_HOME", home.path().string()},
                                {"TANDRY_WIDGET_INFO", (home.path() / "Info.json").string()},
                                {"LANGUAGE", std::nullopt},
                                {"LC_ALL", std::nullopt},
                                {"LC_MESSAGES", std::nullopt},
                                {"LANG", std::nullopt},
                                {"TZ", "UTC"}};
        for (const auto& [name, value] : language) {
            environment[name] = value;
        }
        return runCommand({TANDRY_WIDGET_BINARY, "placeholder"}, environment);
    }

    TemporaryDirectory home;
};

TEST_F(PlaceholderCommand, PrintsTheSampleCardInTheUsersLanguage) {
    struct Row {
        const char* description;
        Environment environment;
        std::vector<std::string> titles;
        std::vector<std::string> flows;
    };
    const Row rows[] = {
        {"no language",
         {},
         {"Send the quarterly report", "Book the team lunch", "Review the design draft",
          "Water the plants"},
         {"Work", "Work", "Home", "Home"}},
        {"LANGUAGE=de",
         {{"LANGUAGE", "de"}},
         {"Quartalsbericht senden", "Teamessen buchen", "Designentwurf prüfen", "Pflanzen gießen"},
         {"Arbeit", "Arbeit", "Zuhause", "Zuhause"}},
        {"LANG=de_DE.UTF-8",
         {{"LANG", "de_DE.UTF-8"}},
         {"Quartalsbericht senden", "Teamessen buchen", "Designentwurf prüfen", "Pflanzen gießen"},
         {"Arbeit", "Arbeit", "Zuhause", "Zuhause"}},
        {"LANGUAGE=ja over LANG=C",
         {{"LANG", "C"}, {"LANGUAGE", "ja"}},
         {"四半期レポートを送る", "チームランチを予約する", "デザイン案を確認する",
          "植物に水をやる"},
         {"仕事", "仕事", "家", "家"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.description);
        auto before = floor<seconds>(system_clock::now());
        auto result = run(row.environment);
        auto after = ceil<seconds>(system_clock::now());
        ASSERT_EQ(result.exitStatus, 0) << result.standardError;

        auto answer = nlohmann::json::parse(result.standardOutput);
        EXPECT_EQ(answer.size(), 3u) << "date, state and snapshot, no reload";
        EXPECT_EQ(answer["state"], "ready");
        auto date = parseDateText(answer["date"].get<std::string>());
        ASSERT_TRUE(date);
        EXPECT_GE(*date, before);
        EXPECT_LE(*date, after);

        const auto& snapshot = answer["snapshot"];
        EXPECT_EQ(snapshot["paletteRaw"], "violet");
        EXPECT_EQ(snapshot["total"], 4);
        EXPECT_EQ(snapshot["validUntil"], "4001-01-01T00:00:00Z");
        EXPECT_FALSE(snapshot.contains("emptyReason"));
        ASSERT_EQ(snapshot["tasks"].size(), 4u);
        for (std::size_t i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            const auto& task = snapshot["tasks"][i];
            EXPECT_EQ(task["title"], row.titles[i]);
            EXPECT_EQ(task["flowName"], row.flows[i]);
            EXPECT_EQ(task["isOverdue"], i == 0);
            EXPECT_EQ(task["isToday"], i == 1);
            EXPECT_EQ(task.contains("dueDate"), i == 0);
        }
        // Due one day before now: the item reads the clock on its own, so it
        // may fall a second after the entry's date.
        auto due = parseDateText(snapshot["tasks"][0]["dueDate"].get<std::string>());
        ASSERT_TRUE(due);
        EXPECT_GE(*due, *date - days{1});
        EXPECT_LE(*due, *date - days{1} + seconds{1});
    }
}

} // namespace
} // namespace tandry
