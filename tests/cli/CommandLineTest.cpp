#include "tests/support/Subprocess.h"
#include "tests/support/TemporaryDirectory.h"
#include "widget/store/Instant.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>

namespace tandry {
namespace {

using Json = nlohmann::json;
using Arguments = std::vector<std::string>;

// One task due the day before, a validUntil with a fraction of a second, an
// id in lower case and a key the widget does not know.
constexpr const char* workedExample =
    R"({"validUntil":"2026-12-05T18:00:00.250Z","total":5,"tasks":[{"id":"0d5a2c64-7e1b-4f3a-9c11-2b6e8d4f7a90","title":"Send the invoice","flowName":"Finance","dueDate":"2026-12-04T18:00:00+01:00","isOverdue":true,"isToday":false,"priorityRaw":"none"}],"paletteRaw":"green","extra":[1e400]})";
constexpr const char* workedExampleOut =
    R"("snapshot":{"validUntil":"2026-12-05T18:00:00Z","total":5,"tasks":[{"id":"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90","title":"Send the invoice","flowName":"Finance","dueDate":"2026-12-04T17:00:00Z","isOverdue":true,"isToday":false,"priorityRaw":"none"}],"paletteRaw":"green"})";

// The demo container at this instant holds nine ready tasks, one of them ticked.
constexpr const char* live = "2026-12-05T09:30:00Z";

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// `tandry-widget` run with a private data home that holds a copy of the demo
// container as the group "demo", in English, UTC and the C locale.
class CommandLine : public ::testing::Test {
protected:
    CommandLine() {
        testing::writeFile(home.path() / "Info.json", R"({"MarrowbyAppGroup":"demo"})");
        std::filesystem::create_directories(home.path() / "group-containers");
        std::filesystem::copy(std::filesystem::path(TANDRY_SOURCE_DIR) / "examples/demo-container",
                              container(), std::filesystem::copy_options::recursive);
    }

    std::filesystem::path container() const { return home.path() / "group-containers/demo"; }
    std::filesystem::path output(const std::string& name) const { return home.path() / name; }

    testing::CommandResult run(Arguments arguments, const std::string& language = "en") {
        arguments.insert(arguments.begin(), TANDRY_WIDGET_BINARY);
        return testing::runCommand(arguments,
                                   {{"XDG_DATA_HOME", home.path().string()},
                                    {"TANDRY_WIDGET_INFO", (home.path() / "Info.json").string()},
                                    {"LANGUAGE", language},
                                    {"LC_ALL", std::nullopt},
                                    {"LC_MESSAGES", std::nullopt},
                                    {"LC_TIME", std::nullopt},
                                    {"LANG", "C.UTF-8"},
                                    {"TZ", "UTC"}});
    }

    // Renders the laid-out tree and reads it back.
    std::string tree(Arguments arguments, const std::string& language = "en") {
        arguments.insert(arguments.begin(), "render");
        arguments.insert(arguments.end(), {"-o", output("card.json").string()});
        const auto result = run(arguments, language);
        EXPECT_EQ(result.exitStatus, 0) << result.standardError;
        return fileText(output("card.json"));
    }

    testing::TemporaryDirectory home;
};

// Every node of a laid-out tree of the kind, depth first.
std::vector<Json> nodesOfKind(const Json& node, const std::string& kind) {
    std::vector<Json> found;
    if (node["kind"] == kind) {
        found.push_back(node);
    }
    for (const Json& child : node["children"]) {
        const auto below = nodesOfKind(child, kind);
        found.insert(found.end(), below.begin(), below.end());
    }
    return found;
}

bool shows(const std::string& tree, const std::string& text) {
    return tree.find("\"text\": \"" + text + "\"") != std::string::npos;
}

TEST_F(CommandLine, PrintsEachAnswerInItsShape) {
    struct Row {
        Arguments arguments;
        bool withSnapshot;
        std::string expected;
    };
    // A ready entry's reload is rounded up to the whole second after validUntil.
    const std::string ready =
        R"({"date":"2026-12-05T09:00:00Z","state":"ready",)" + std::string(workedExampleOut);
    const Row rows[] = {
        {{"timeline", "--at", "2026-12-05T10:00:00.9+01:00"},
         true,
         ready + R"(,"reload":{"after":"2026-12-05T18:00:01Z"}})"},
        {{"timeline", "--at", "2026-12-05T18:00:00.250Z"},
         true,
         R"({"date":"2026-12-05T18:00:00Z","state":"stale","reload":"never"})"},
        {{"snapshot", "--at", "2026-12-05T09:00:00Z"}, true, ready + "}"},
        {{"snapshot", "--at", "2026-12-05T09:00:00Z"},
         false,
         R"({"date":"2026-12-05T09:00:00Z","state":"waitingForApp"})"},
    };
    std::filesystem::remove_all(container() / "pending-completions");
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.arguments));
        if (row.withSnapshot) {
            testing::writeFile(container() / "ready-snapshot.json", workedExample);
        } else {
            std::filesystem::remove(container() / "ready-snapshot.json");
        }
        const auto result = run(row.arguments);
        EXPECT_EQ(result.exitStatus, 0) << result.standardError;
        EXPECT_EQ(result.standardOutput, row.expected + "\n");
    }
}

TEST_F(CommandLine, PrintsTheSampleForPreviewsAndPlaceholdersInTheUsersLanguage) {
    const auto preview = run({"snapshot", "--preview", "--at", "2026-12-05T09:00:00Z"});
    ASSERT_EQ(preview.exitStatus, 0) << preview.standardError;
    EXPECT_EQ(Json::parse(preview.standardOutput)["snapshot"]["tasks"][0]["title"],
              "Send the quarterly report");

    // Without --at the placeholder and the timeline read the system clock.
    const auto before = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    for (const std::string command : {"placeholder", "timeline"}) {
        SCOPED_TRACE(command);
        const auto result = run({command}, "de");
        ASSERT_EQ(result.exitStatus, 0) << result.standardError;
        const Json entry = Json::parse(result.standardOutput);
        EXPECT_GE(*parseDateText(entry["date"].get<std::string>()), before);
        EXPECT_EQ(entry.contains("reload"), command == "timeline");
        if (command == "placeholder") {
            EXPECT_EQ(entry["snapshot"]["tasks"][0]["title"], "Quartalsbericht senden");
        }
    }
}

TEST_F(CommandLine, RejectsUsageErrorsWithStatusTwoAndTheReason) {
    const std::string png = output("card.png").string();
    struct Row {
        Arguments arguments;
        std::string message;
    };
    const Row rows[] = {
        {{}, "A subcommand is required"},
        {{"no-such-command"}, "A subcommand is required"},
        {{"timeline", "--at"}, "--at: 1 required INSTANT missing"},
        {{"timeline", "--at", "2026-02-30T00:00:00Z"},
         "--at: invalid date text \"2026-02-30T00:00:00Z\""},
        {{"timeline", "extra"}, "The following argument was not expected: extra"},
        {{"snapshot", "--at", "tomorrow"}, "--at: invalid date text \"tomorrow\""},
        {{"snapshot", "--preview=yes"}, "preview was given a disallowed flag override"},
        {{"placeholder", "--preview"}, "The following argument was not expected: --preview"},
        {{"render"}, "--output is required"},
        {{"render", "--family", "huge", "-o", png}, "--family: huge not in {small,medium,large}"},
        {{"render", "--scheme", "sepia", "-o", png}, "--scheme: sepia not in {light,dark}"},
        {{"render", "--entry", "later", "-o", png},
         "--entry: later not in {timeline,snapshot,preview,placeholder}"},
        {{"render", "--at", "yesterday", "-o", png}, "--at: invalid date text \"yesterday\""},
        {{"render", "-o", output("card.gif").string()},
         "--output: the output file must end in .png, .svg, .pdf or .json"},
        {{"render", "-o", png, "extra"}, "The following argument was not expected: extra"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.arguments));
        const auto result = run(row.arguments);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_EQ(result.standardOutput, "");
        EXPECT_EQ(result.standardError,
                  "tandry-widget: " + row.message + "\nRun with --help for usage.\n");
    }
    for (const char* scale : {"0", "-2", "nan", "9", "two"}) {
        SCOPED_TRACE(scale);
        const auto result = run({"render", "--scale", scale, "-o", png});
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_NE(result.standardError.find("--scale: the scale must be a number above 0 and at "
                                            "most 8"),
                  std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST_F(CommandLine, RendersTheFormatThatTheExtensionNames) {
    for (const auto& [file, magic] : {std::pair{"card.png", "\x89PNG\r\n"},
                                      {"card.svg", "<?xml"},
                                      {"card.pdf", "%PDF-"},
                                      {"card.json", "{"}}) {
        SCOPED_TRACE(file);
        const auto result = run({"render", "--at", live, "-o", output(file).string()});
        ASSERT_EQ(result.exitStatus, 0) << result.standardError;
        EXPECT_EQ(result.standardOutput, "");
        EXPECT_TRUE(fileText(output(file)).starts_with(magic));
    }
    // Vector formats are drawn in points.
    EXPECT_NE(fileText(output("card.svg")).find("width=\"364pt\""), std::string::npos);
    const std::string path = output("no-such-directory/card.png").string();
    const auto unwritable = run({"render", "--at", live, "-o", path});
    EXPECT_EQ(unwritable.exitStatus, 1);
    EXPECT_TRUE(unwritable.standardError.starts_with("tandry-widget: cannot write " + path))
        << unwritable.standardError;
}

TEST_F(CommandLine, RendersPngsSizedByFamilyAndScale) {
    struct Row {
        Arguments arguments;
        std::uint32_t width;
        std::uint32_t height;
    };
    const Row rows[] = {
        {{}, 728, 340},
        {{"--family", "small"}, 340, 340},
        {{"--family", "large", "--scale", "1"}, 364, 382},
        {{"--family", "medium", "--scale", "3"}, 1092, 510},
        {{"--family", "small", "--scale", "1.5"}, 255, 255},
    };
    const auto bigEndian = [](const std::string& bytes, std::size_t offset) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
        }
        return value;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.arguments));
        Arguments arguments = row.arguments;
        arguments.insert(arguments.begin(), "render");
        arguments.insert(arguments.end(), {"--at", live, "-o", output("card.png").string()});
        const auto result = run(arguments);
        ASSERT_EQ(result.exitStatus, 0) << result.standardError;
        const std::string png = fileText(output("card.png"));
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(bigEndian(png, 16), row.width);
        EXPECT_EQ(bigEndian(png, 20), row.height);
    }
}

TEST_F(CommandLine, RendersTheEntryOfTheRequestAtTheInstant) {
    struct Row {
        Arguments arguments;
        std::string shown;
    };
    const Row rows[] = {
        {{"--at", "2026-12-05T18:00:00Z"}, "Open Tandry to refresh your ready tasks."},
        {{"--entry", "snapshot", "--at", live, "--family", "large"}, "Call Grandma"},
        {{"--entry", "preview", "--at", live}, "Send the quarterly report"},
        {{"--entry", "placeholder", "--family", "small"}, "4"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shown);
        EXPECT_TRUE(shows(tree(row.arguments), row.shown));
    }
    EXPECT_EQ(Json::parse(tree({"--at", live}))["children"][0]["color"], "#FBFAFE");
    EXPECT_EQ(Json::parse(tree({"--at", live, "--scheme", "dark"}))["children"][0]["color"],
              "#16141C");
}

// The renderer takes its direction from the user's language: Arabic is
// mirrored, so the header's symbol ends at the right inset.
TEST_F(CommandLine, RendersInTheDirectionOfTheUsersLanguage) {
    const auto symbols = nodesOfKind(Json::parse(tree({"--at", live}, "ar")), "symbol");
    ASSERT_FALSE(symbols.empty());
    const Json& frame = symbols.front()["frame"];
    EXPECT_EQ(frame[0].get<double>() + frame[2].get<double>(), 364 - 14);
}

} // namespace
} // namespace tandry
