#include "tests/support/Subprocess.h"
#include "tests/support/TableFile.h"
#include "tests/support/TemporaryDirectory.h"
#include "widget/system/Instant.h"

#include <algorithm>
#include <cstring>
#include <endian.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>

namespace tandry {
namespace {

using Json = nlohmann::json;
using Arguments = std::vector<std::string>;

// One task due the day before, a validUntil (with a fraction of a second in
// the tables), an id in lower case and a key the widget does not know.
std::string workedExample(const std::string& validUntil) {
    return R"({"validUntil":")" + validUntil +
           R"(","total":5,"tasks":[{"id":"0d5a2c64-7e1b-4f3a-9c11-2b6e8d4f7a90","title":"Send the invoice","flowName":"Finance","dueDate":"2026-12-04T18:00:00+01:00","isOverdue":true,"isToday":false,"priorityRaw":"none"}],"paletteRaw":"green","extra":[1e400]})";
}
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

    // Arguments split at spaces, a "-" for none; a "card.*" word names a file in home.
    Arguments arguments(const std::string& text) const {
        Arguments words;
        std::istringstream in(text);
        for (std::string word; in >> word;) {
            if (word != "-") {
                words.push_back(word.starts_with("card.") ? output(word).string() : word);
            }
        }
        return words;
    }

    // A table of cases in data/; a table that cannot be read fails the test.
    std::vector<testing::TableRow> table(const std::string& name) const {
        auto rows =
            testing::readTableFile(std::string(TANDRY_SOURCE_DIR "/tests/cli/data/") + name);
        EXPECT_GT(rows.size(), 3u) << name;
        return rows;
    }

    // With `standardOutput`, the command's standard output goes to that file.
    testing::CommandResult run(Arguments arguments, const std::string& language = "en",
                               const std::string& standardOutput = "") {
        arguments.insert(arguments.begin(), TANDRY_WIDGET_BINARY);
        if (!standardOutput.empty()) {
            arguments.insert(arguments.begin(),
                             {"/bin/sh", "-c", "exec \"$0\" \"$@\" >" + standardOutput});
        }
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
    std::filesystem::remove_all(container() / "pending-completions");
    for (const auto& row : table("answers.tsv")) {
        SCOPED_TRACE("line " + std::to_string(row.line));
        ASSERT_EQ(row.fields.size(), 3u);
        std::filesystem::remove(container() / "ready-snapshot.json");
        if (row.fields[1] != "none") {
            testing::writeFile(container() / "ready-snapshot.json", workedExample(row.fields[1]));
        }
        const auto result = run(arguments(row.fields[0]));
        EXPECT_EQ(result.exitStatus, 0) << result.standardError;
        EXPECT_EQ(result.standardOutput, row.fields[2] + "\n");
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
    const auto expectUsageError = [&](const Arguments& arguments, const std::string& reason) {
        const auto result = run(arguments);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_EQ(result.standardOutput, "");
        EXPECT_EQ(result.standardError,
                  "tandry-widget: " + reason + "\nRun with --help for usage.\n");
    };
    for (const auto& row : table("usage-errors.tsv")) {
        SCOPED_TRACE("line " + std::to_string(row.line));
        ASSERT_EQ(row.fields.size(), 2u);
        expectUsageError(arguments(row.fields[0]), row.fields[1]);
    }
    EXPECT_FALSE(std::filesystem::exists(output("card.png")));
    // A kind that is not UTF-8 is refused before anything goes on the bus.
    expectUsageError({"reload", "\xff"}, "KIND: the kind must be UTF-8 text");
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
    const auto bigEndian = [](const std::string& bytes, std::size_t offset) {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes.data() + offset, sizeof value);
        return be32toh(value);
    };
    for (const auto& row : table("png-sizes.tsv")) {
        SCOPED_TRACE("line " + std::to_string(row.line));
        ASSERT_EQ(row.fields.size(), 3u);
        const auto result =
            run(arguments("render --at " + std::string(live) + " -o card.png " + row.fields[0]));
        ASSERT_EQ(result.exitStatus, 0) << result.standardError;
        const std::string png = fileText(output("card.png"));
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(bigEndian(png, 16), std::stoul(row.fields[1]));
        EXPECT_EQ(bigEndian(png, 20), std::stoul(row.fields[2]));
    }
}

TEST_F(CommandLine, RendersTheEntryOfTheRequestAtTheInstant) {
    for (const auto& row : table("rendered-texts.tsv")) {
        SCOPED_TRACE("line " + std::to_string(row.line));
        ASSERT_EQ(row.fields.size(), 2u);
        EXPECT_TRUE(shows(tree(arguments(row.fields[0])), row.fields[1]));
    }
    EXPECT_EQ(Json::parse(tree({"--at", live}))["children"][0]["color"], "#FBFAFE");
    EXPECT_EQ(Json::parse(tree({"--at", live, "--scheme", "dark"}))["children"][0]["color"],
              "#16141C");
}

TEST_F(CommandLine, ReportsATickThatCannotBeParked) {
    // A file where the queue's folder belongs: no tick can be parked there,
    // whatever the rights of the user who runs the test.
    std::filesystem::remove_all(container() / "pending-completions");
    testing::writeFile(container() / "pending-completions", "");
    const auto result = run({"tick", "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_TRUE(result.standardError.starts_with("tandry-widget: Could not park a widget tick: "))
        << result.standardError;
    EXPECT_EQ(std::ranges::count(result.standardError, '\n'), 1) << result.standardError;

    // No container at all: nothing is parked, and the command says where it looked.
    std::filesystem::remove_all(container());
    const auto without = run({"tick", "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90"});
    EXPECT_EQ(without.exitStatus, 1);
    EXPECT_EQ(without.standardOutput, "");
    EXPECT_EQ(without.standardError, "tandry-widget: nothing ticked: there is no shared container "
                                     "at " + container().string() +
                                         " (the task manager creates it)\n");
    EXPECT_FALSE(std::filesystem::exists(container()));
}

// An answer that does not reach standard output is no answer.
TEST_F(CommandLine, FailsWhenItsAnswerCannotBeWritten) {
    for (const char* command :
         {"timeline", "snapshot --preview", "placeholder", "--version",
          "tick 0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90", "reload"}) {
        SCOPED_TRACE(command);
        const auto result = run(arguments(command), "en", "/dev/full");
        EXPECT_EQ(result.exitStatus, 1);
        // The reason, where the stream still knew it when the program asked.
        EXPECT_TRUE(result.standardError.starts_with(
            "tandry-widget: cannot write the answer to standard output"))
            << result.standardError;
        EXPECT_EQ(std::ranges::count(result.standardError, '\n'), 1) << result.standardError;
    }
}

// The renderer takes its direction from the user's language: Arabic is
// mirrored, so the header's symbol ends at the right inset.
// Only render draws: the program that answers every other command must not
// load the drawing, toolkit or ICU libraries, whose loading took most of the
// time and memory of a timeline request. The dynamic loader lists what it
// would load and stops before the program runs.
TEST(CommandLineProgram, LoadsNoLibraryThatOnlyDrawingNeeds) {
    const auto listing =
        testing::runCommand({TANDRY_WIDGET_BINARY, "timeline"}, {{"LD_TRACE_LOADED_OBJECTS", "1"}});
    ASSERT_EQ(listing.exitStatus, 0) << listing.standardError;
    ASSERT_NE(listing.standardOutput.find("libc.so"), std::string::npos) << listing.standardOutput;
    for (const char* library : {"libpango", "libcairo", "libX11", "libgtk", "libglib", "libgio",
                                "libicu", "libsystemd"}) {
        SCOPED_TRACE(library);
        EXPECT_EQ(listing.standardOutput.find(library), std::string::npos);
    }
}

TEST_F(CommandLine, RendersInTheDirectionOfTheUsersLanguage) {
    const auto symbols = nodesOfKind(Json::parse(tree({"--at", live}, "ar")), "symbol");
    ASSERT_FALSE(symbols.empty());
    const Json& frame = symbols.front()["frame"];
    EXPECT_EQ(frame[0].get<double>() + frame[2].get<double>(), 364 - 14);
}

} // namespace
} // namespace tandry
