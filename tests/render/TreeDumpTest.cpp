#include "platform/render/TreeDump.h"

#include "platform/render/CardSize.h"
#include "platform/render/samples/SampleCards.h"
#include "tests/render/LayoutFixtures.h"
#include "tests/support/GoldenFile.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

using render::LaidOutCard;
using Json = nlohmann::ordered_json;

const std::filesystem::path goldenDirectory =
    std::filesystem::path(TANDRY_SOURCE_DIR) / "tests/render/golden";

// The sample cards laid out with the fixed-advance measurer, so the dumps do
// not depend on the fonts installed.
TEST(TreeDump, MatchesTheGoldenDumps) {
    struct Row {
        const char* file;
        Element tree;
        WidgetFamily family;
        LayoutDirection direction;
    };
    const auto tasks = render::samples::defaultTasks();
    const Row rows[] = {
        {"medium-list-card.json",
         render::samples::listCard(ColorScheme::light, tasks, "Ready", "12 tasks"),
         WidgetFamily::systemMedium, LayoutDirection::leftToRight},
        {"medium-list-card-rtl.json",
         render::samples::listCard(ColorScheme::dark, tasks, "Ready", "12 tasks"),
         WidgetFamily::systemMedium, LayoutDirection::rightToLeft},
        {"small-card.json", render::samples::smallCard(ColorScheme::light, tasks, 12),
         WidgetFamily::systemSmall, LayoutDirection::leftToRight},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const LaidOutCard card = layOut(row.tree, render::cardSize(row.family), row.direction);
        const Result<std::string> dump = render::dumpLaidOutTree(card.root);
        ASSERT_TRUE(dump.has_value()) << dump.error();
        expectMatchesGolden(*dump, goldenDirectory / row.file);
    }
}

TEST(TreeDump, WritesEachKindsAttributes) {
    Uuid id;
    id.bytes.fill(0xAB);
    const Element button = modified(
        SymbolImage{.name = "circle",
                    .font = {15, FontWeight::regular, FontDesign::standard},
                    .color = Color::packed(0x7C4DE0)},
        IntentButton{
            {"TickReadyTaskIntent", "ABABABAB-ABAB-ABAB-ABAB-ABABABABABAB"}, "Complete task", {}});
    Text due = fixedText("Mar 3", 10);
    due.color = Color::systemRed();
    const Element row = HStack{.alignment = VerticalAlignment::center,
                               .spacing = std::nullopt,
                               .children = {IdentifiedList{{{id, button}}}, Spacer{4.0}, due}};
    const Element root = modified(modified(row, ContainerBackground{Color::srgb(1, 0, 0, 0.5), {}}),
                                  ClickThroughUrl{std::nullopt});
    const Json tree = render::laidOutTreeJson(layOut(root, render::Size{100, 40}).root);

    EXPECT_EQ(tree["kind"], "link");
    EXPECT_EQ(tree["frame"], Json::parse("[0, 0, 100, 40]"));
    EXPECT_EQ(tree["url"], nullptr);
    const Json& background = tree["children"][0];
    EXPECT_EQ(background["color"], "#FF0000");
    EXPECT_EQ(background["opacity"], 0.5);
    const Json& stack = background["children"][0];
    EXPECT_EQ(stack["kind"], "hstack");
    EXPECT_EQ(stack["alignment"], "center");
    EXPECT_EQ(stack["spacing"], "default");
    const Json& buttonJson = stack["children"][0];
    EXPECT_EQ(buttonJson["kind"], "button");
    EXPECT_EQ(buttonJson["id"], "ABABABAB-ABAB-ABAB-ABAB-ABABABABABAB");
    EXPECT_EQ(
        buttonJson["intent"],
        Json::parse(
            R"({"type":"TickReadyTaskIntent","taskID":"ABABABAB-ABAB-ABAB-ABAB-ABABABABABAB"})"));
    EXPECT_EQ(buttonJson["style"], "plain");
    EXPECT_EQ(buttonJson["accessibilityLabel"], "Complete task");
    const Json& symbolJson = buttonJson["children"][0];
    EXPECT_EQ(symbolJson["kind"], "symbol");
    EXPECT_EQ(symbolJson["name"], "circle");
    EXPECT_EQ(symbolJson["font"],
              Json::parse(R"({"size":15,"weight":"regular","design":"default"})"));
    EXPECT_EQ(symbolJson["color"], "#7C4DE0");
    EXPECT_EQ(stack["children"][1]["kind"], "spacer");
    EXPECT_EQ(stack["children"][1]["minLength"], 4);
    const Json& dueJson = stack["children"][2];
    EXPECT_EQ(dueJson["text"], "Mar 3");
    EXPECT_EQ(dueJson["color"], "systemRed");
    EXPECT_EQ(dueJson["lineLimit"], 1);
    EXPECT_EQ(dueJson["fixedSize"], true);
    EXPECT_EQ(dueJson["children"], Json::array());
}

TEST(TreeDump, RefusesTextThatIsNotUtf8) {
    const LaidOutCard card = layOut(text("\xFF"), render::Size{50, 50});
    const Result<std::string> dump = render::dumpLaidOutTree(card.root);
    ASSERT_FALSE(dump.has_value());
    EXPECT_EQ(dump.error().message,
              "cannot write the laid-out tree: [json.exception.type_error.316] invalid UTF-8 byte "
              "at index 0: 0xFF");
}

} // namespace
} // namespace tandry::testing
