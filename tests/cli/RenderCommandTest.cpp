#include "tests/support/Subprocess.h"
#include "tests/support/TemporaryDirectory.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>

namespace tandry {
namespace {

using testing::runCommand;
using testing::TemporaryDirectory;
using Json = nlohmann::json;

// A private data home holding a copy of the demo container as group "demo".
class RenderCommand : public ::testing::Test {
protected:
    RenderCommand() {
        testing::writeFile(home.path() / "Info.json", R"({"MarrowbyAppGroup":"demo"})");
        std::filesystem::create_directories(home.path() / "group-containers");
        std::filesystem::copy(std::filesystem::path(TANDRY_SOURCE_DIR) / "examples/demo-container",
                              container(), std::filesystem::copy_options::recursive);
    }

    std::filesystem::path container() const { return home.path() / "group-containers/demo"; }
    std::filesystem::path output(const std::string& name) const { return home.path() / name; }

    testing::CommandResult run(std::vector<std::string> arguments,
                               const std::string& language = "en") {
        arguments.insert(arguments.begin(), {TANDRY_WIDGET_BINARY, "render"});
        return runCommand(arguments, {{"XDG_DATA_HOME", home.path().string()},
                                      {"TANDRY_WIDGET_INFO", (home.path() / "Info.json").string()},
                                      {"LANGUAGE", language},
                                      {"LC_ALL", std::nullopt},
                                      {"LC_TIME", std::nullopt},
                                      {"LANG", "C.UTF-8"},
                                      {"TZ", "UTC"}});
    }

    // Renders to the laid-out tree and reads it back.
    Json tree(std::vector<std::string> arguments, const std::string& language = "en") {
        arguments.insert(arguments.end(), {"-o", output("card.json").string()});
        const auto result = run(arguments, language);
        EXPECT_EQ(result.exitStatus, 0) << result.standardError;
        std::ifstream in(output("card.json"));
        return in ? Json::parse(in, nullptr, false) : Json();
    }

    TemporaryDirectory home;
};

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t bigEndian(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

// Every text string of the laid-out tree, in order.
void collectTexts(const Json& node, std::vector<std::string>& out) {
    if (node["kind"] == "text") {
        out.push_back(node["text"]);
    }
    for (const Json& child : node["children"]) {
        collectTexts(child, out);
    }
}

std::vector<std::string> texts(const Json& tree) {
    std::vector<std::string> out;
    collectTexts(tree, out);
    return out;
}

const Json* findSymbol(const Json& node, const std::string& name) {
    if (node["kind"] == "symbol" && node["name"] == name) {
        return &node;
    }
    for (const Json& child : node["children"]) {
        if (const Json* found = findSymbol(child, name)) {
            return found;
        }
    }
    return nullptr;
}

bool contains(const std::vector<std::string>& strings, const std::string& string) {
    return std::find(strings.begin(), strings.end(), string) != strings.end();
}

constexpr const char* live = "2026-12-05T09:30:00Z";

TEST_F(RenderCommand, WritesTheFormatThatTheExtensionNames) {
    struct Row {
        const char* file;
        const char* magic;
    };
    for (const Row& row : {Row{"card.png", "\x89PNG\r\n"}, Row{"card.svg", "<?xml"},
                           Row{"card.pdf", "%PDF-"}, Row{"card.json", "{"}}) {
        SCOPED_TRACE(row.file);
        const auto result = run({"--at", live, "-o", output(row.file).string()});
        ASSERT_EQ(result.exitStatus, 0) << result.standardError;
        EXPECT_TRUE(result.standardOutput.empty());
        EXPECT_TRUE(fileText(output(row.file)).starts_with(row.magic));
    }
    EXPECT_NE(fileText(output("card.svg")).find("<svg"), std::string::npos);
}

TEST_F(RenderCommand, SizesThePngByFamilyAndScale) {
    struct Row {
        std::vector<std::string> arguments;
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
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.arguments));
        std::vector<std::string> arguments = row.arguments;
        arguments.insert(arguments.end(), {"--at", live, "-o", output("card.png").string()});
        const auto result = run(arguments);
        ASSERT_EQ(result.exitStatus, 0) << result.standardError;
        const std::string png = fileText(output("card.png"));
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(bigEndian(png, 16), row.width);
        EXPECT_EQ(bigEndian(png, 20), row.height);
    }
}

TEST_F(RenderCommand, DrawsTheTimelineEntryAtTheInstant) {
    const Json ready = tree({"--at", live});
    EXPECT_EQ(ready["kind"], "link");
    EXPECT_EQ(ready["url"], "tandry://ready");
    EXPECT_EQ(ready["frame"], Json::parse("[0, 0, 364, 170]"));
    EXPECT_EQ(ready["children"][0]["color"], "#FBFAFE");
    const auto shown = texts(ready);
    // Nine ready, one of them ticked in the demo's queue.
    EXPECT_TRUE(contains(shown, "8 tasks ready"));
    EXPECT_TRUE(contains(shown, "Send the invoice to Harbour & Finch"));
    // The demo's overdue task and its date in the C locale, in UTC.
    EXPECT_TRUE(contains(shown, "Dec 4"));
    EXPECT_FALSE(contains(shown, "Call Grandma"));

    const auto stale = texts(tree({"--at", "2026-12-05T18:00:00Z", "--scheme", "dark"}));
    EXPECT_EQ(stale,
              (std::vector<std::string>{"Ready", "Open Tandry to refresh your ready tasks."}));

    std::filesystem::remove(container() / "ready-snapshot.json");
    const Json waiting = tree({"--at", live, "--family", "large", "--scheme", "dark"});
    EXPECT_EQ(waiting["children"][0]["color"], "#16141C");
    EXPECT_EQ(texts(waiting),
              (std::vector<std::string>{"Ready", "Open Tandry to see your ready tasks."}));
}

TEST_F(RenderCommand, DrawsTheOtherEntries) {
    // The demo's ticked task is left out of a snapshot as of a timeline.
    const auto snapshot = texts(tree({"--entry", "snapshot", "--at", live, "--family", "large"}));
    EXPECT_TRUE(contains(snapshot, "8 tasks ready"));
    EXPECT_TRUE(contains(snapshot, "Call Grandma"));
    EXPECT_FALSE(contains(snapshot, "Renew the library books"));
    const auto preview = texts(tree({"--entry", "preview", "--at", live, "--family", "large"}));
    EXPECT_TRUE(contains(preview, "Send the quarterly report"));
    EXPECT_TRUE(contains(preview, "4 tasks ready"));
    // The sample's overdue task is due a day before the instant.
    EXPECT_TRUE(contains(preview, "Dec 4"));
    const auto placeholder = texts(tree({"--entry", "placeholder", "--family", "small"}));
    EXPECT_TRUE(contains(placeholder, "4"));
    EXPECT_TRUE(contains(placeholder, "Send the quarterly report"));
}

TEST_F(RenderCommand, FollowsTheUsersLanguageAndDirection) {
    const Json german = tree({"--at", live}, "de");
    EXPECT_TRUE(contains(texts(german), "Bereit"));

    const Json arabic = tree({"--at", live}, "ar");
    const auto shown = texts(arabic);
    EXPECT_TRUE(contains(shown, "جاهزة"));
    // Mirrored: the header's symbol sits at the right edge of the card.
    const Json* symbol = findSymbol(arabic, "point.3.connected.trianglepath.dotted");
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ((*symbol)["frame"][0].get<double>() + (*symbol)["frame"][2].get<double>(), 364 - 14);
}

TEST_F(RenderCommand, RejectsUsageErrorsWithStatusTwo) {
    const std::string out = output("card.png").string();
    const std::vector<std::vector<std::string>> usages = {
        {},
        {"--family", "huge", "-o", out},
        {"--scheme", "sepia", "-o", out},
        {"--entry", "later", "-o", out},
        {"--at", "yesterday", "-o", out},
        {"--scale", "0", "-o", out},
        {"--scale", "-2", "-o", out},
        {"--scale", "nan", "-o", out},
        {"--scale", "9", "-o", out},
        {"--scale", "two", "-o", out},
        {"-o", output("card.gif").string()},
        {"-o", output("card").string()},
        {"-o", out, "extra"},
    };
    for (const auto& usage : usages) {
        SCOPED_TRACE(::testing::PrintToString(usage));
        const auto result = run(usage);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_TRUE(result.standardOutput.empty());
        EXPECT_FALSE(result.standardError.empty());
        EXPECT_FALSE(std::filesystem::exists(output("card.png")));
    }
}

TEST_F(RenderCommand, ReportsAFileItCannotWrite) {
    const std::string path = (home.path() / "no-such-directory/card.png").string();
    const auto result = run({"--at", live, "-o", path});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.standardError.find("cannot write " + path), std::string::npos)
        << result.standardError;
}

} // namespace
} // namespace tandry
