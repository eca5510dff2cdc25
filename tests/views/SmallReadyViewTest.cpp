#include "widget/views/SmallReadyView.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"
#include "widget/views/WidgetHeader.h"

#include <gtest/gtest.h>
#include <limits>

namespace tandry::testing {
namespace {

const WidgetPalette palette = WidgetPalette::resolve("green", ColorScheme::dark);

Element smallFor(const ReadySnapshot& snapshot) {
    return SmallReadyView{snapshot, palette}.body();
}

TEST(SmallReadyView, ShowsTheClearTitleWhenTheTotalIsZero) {
    const ScopedLanguage language("en");
    const Element expected =
        Element(VStack{.alignment = HorizontalAlignment::leading,
                       .spacing = 6,
                       .children = {WidgetHeader{palette}.body(), Spacer{.minLength = 0},
                                    Text{.string = "All clear",
                                         .font = {13, FontWeight::semibold, FontDesign::standard},
                                         .color = palette.ink,
                                         .lineLimit = 3,
                                         .fixedSize = false},
                                    Spacer{.minLength = 0}}},
                {Inset{14}, FlexibleFrame{Alignment::topLeading()}});
    // The branch depends on the total alone, not on the tasks listed.
    EXPECT_EQ(smallFor(snapshotOf(0, 0)), expected);
    EXPECT_EQ(smallFor(snapshotOf(0, 3)), expected);
}

TEST(SmallReadyView, ShowsTheTotalInAccentDigitsAndTwoTitles) {
    const ScopedLanguage language("en");
    ReadySnapshot snapshot = snapshotOf(12, 5);
    snapshot.tasks[1].isOverdue = true;
    const Element card = smallFor(snapshot);
    const auto& root = std::get<VStack>(card.content);
    ASSERT_EQ(root.children.size(), 4u);
    EXPECT_EQ(root.children[1], Element(Text{.string = "12",
                                             .font = {34, FontWeight::bold, FontDesign::rounded},
                                             .color = palette.accent,
                                             .lineLimit = std::nullopt,
                                             .fixedSize = false},
                                        {NumericContentTransition{CountDirection::up}}));
    EXPECT_EQ(root.children[2], Element(Spacer{.minLength = 0}));
    auto titleText = [](std::string title, Color color) {
        return Element(Text{.string = std::move(title),
                            .font = {11, FontWeight::medium, FontDesign::standard},
                            .color = color,
                            .lineLimit = 1,
                            .fixedSize = false});
    };
    EXPECT_EQ(root.children[3],
              Element(IdentifiedList{{{task(1).id, titleText("Task 1", palette.ink)},
                                      {task(2).id, titleText("Task 2", systemRed())}}}));
}

TEST(SmallReadyView, WritesTheTotalAsPlainDigits) {
    const ScopedLanguage language("de");
    struct Row {
        std::int64_t total;
        int tasks;
        std::vector<std::string> texts;
    };
    const Row rows[] = {
        {7, 0, {"Bereit", "7"}},
        {1234567, 1, {"Bereit", "1234567", "Task 1"}},
        {-3, 2, {"Bereit", "-3", "Task 1", "Task 2"}},
        {std::numeric_limits<std::int64_t>::max(), 0, {"Bereit", "9223372036854775807"}},
        {std::numeric_limits<std::int64_t>::min(), 0, {"Bereit", "-9223372036854775808"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.total);
        EXPECT_EQ(stringsOf(smallFor(snapshotOf(row.total, row.tasks))), row.texts);
    }
}

} // namespace
} // namespace tandry::testing
