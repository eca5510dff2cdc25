#include "platform/render/TreeDump.h"

#include "tests/render/LayoutFixtures.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

using Json = nlohmann::ordered_json;

// The card goldens (tests/card/golden) pin every attribute that the views
// use; these are the ones no card of theirs has.
TEST(TreeDump, WritesTranslucentColoursAndALinkWithoutUrl) {
    const Element root =
        modified(modified(Spacer{4.0}, ContainerBackground{Color::srgb(1, 0, 0, 0.5), {}}),
                 ClickThroughUrl{std::nullopt});
    const Json tree = render::laidOutTreeJson(layOut(root, render::Size{100, 40}).root);
    EXPECT_EQ(tree["kind"], "link");
    EXPECT_EQ(tree["frame"], Json::parse("[0, 0, 100, 40]"));
    EXPECT_EQ(tree["url"], nullptr);
    EXPECT_EQ(tree["children"][0]["color"], "#FF0000");
    EXPECT_EQ(tree["children"][0]["opacity"], 0.5);
}

TEST(TreeDump, RefusesTextThatIsNotUtf8) {
    const Result<std::string> dump =
        render::dumpLaidOutTree(layOut(text("\xFF"), render::Size{50, 50}).root);
    ASSERT_FALSE(dump.has_value());
    EXPECT_EQ(dump.error().message,
              "cannot write the laid-out tree: [json.exception.type_error.316] invalid UTF-8 byte "
              "at index 0: 0xFF");
}

} // namespace
} // namespace tandry::testing
