#include "platform/render/TreeQueries.h"

#include <gtest/gtest.h>

namespace tandry::render {
namespace {

LaidOutElement node(LaidOutKind kind, Rect frame, std::vector<LaidOutElement> children = {}) {
    return {.kind = std::move(kind), .frame = frame, .children = std::move(children)};
}

IntentButton tick(const char* task) {
    return {.intent = {.type = "TickReadyTaskIntent", .parameter = task},
            .accessibilityLabel = task};
}

TEST(TreeQueries, InnermostLinkHoldingThePointWins) {
    // The card links to "outer"; a row inside it to "inner" (with a button in
    // it), and another row carries a link without a URL.
    const auto tree = node(ClickThroughUrl{"outer"}, {{0, 0}, {100, 100}},
                           {node(VStack{}, {{0, 0}, {100, 100}},
                                 {node(ClickThroughUrl{"inner"}, {{10, 10}, {20, 20}},
                                       {node(tick("A"), {{12, 12}, {8, 8}})}),
                                  node(ClickThroughUrl{}, {{50, 50}, {20, 20}})})});
    const std::pair<Point, std::optional<std::string>> rows[] = {
        {{15, 15}, "inner"}, {{10, 10}, "inner"}, {{30, 15}, "outer"},
        {{15, 30}, "outer"}, {{55, 55}, "outer"}, {{0, 0}, "outer"},
        {{100, 50}, {}},     {{50, 100}, {}},     {{-1, 50}, {}},
    };
    for (const auto& [point, url] : rows) {
        SCOPED_TRACE(::testing::PrintToString(point));
        EXPECT_EQ(linkAt(tree, point), url);
    }
}

TEST(TreeQueries, ButtonsComeInReadingOrder) {
    // Tree order decides, not position: the first row's button sits lower
    // than the second's, and a button nested in a button follows its parent.
    const auto tree =
        node(VStack{}, {{0, 0}, {100, 100}},
             {node(HStack{}, {{0, 0}, {100, 50}}, {node(tick("A"), {{0, 40}, {10, 10}})}),
              node(tick("B"), {{0, 10}, {50, 20}}, {node(tick("C"), {{5, 12}, {10, 10}})}),
              node(Spacer{}, {{0, 60}, {100, 40}})});
    EXPECT_EQ(buttonsIn(tree), (std::vector<ButtonFrame>{{tick("A"), {{0, 40}, {10, 10}}},
                                                         {tick("B"), {{0, 10}, {50, 20}}},
                                                         {tick("C"), {{5, 12}, {10, 10}}}}));
}

} // namespace
} // namespace tandry::render
