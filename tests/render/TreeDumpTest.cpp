#include "platform/render/TreeDump.h"

#include "tests/render/LayoutFixtures.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

using render::LaidOutCard;
using Json = nlohmann::ordered_json;

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
