#include "widget/views/ReadyWidgetRow.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

const WidgetPalette palette = WidgetPalette::resolve("blue", ColorScheme::light);

Element rowFor(const ReadySnapshot::Item& item) {
    return ReadyWidgetRow{item, palette}.body(FakeDueDateFormat());
}

TEST(ReadyWidgetRow, ChoosesTheDueLabelByDateThenToday) {
    const ScopedLanguage language("en");
    struct Row {
        const char* name;
        std::optional<Instant> dueDate;
        bool isOverdue;
        bool isToday;
        std::optional<std::string> label;
        Color color;
    };
    const Instant due = utc(2026, 3, 5);
    const Row rows[] = {
        {"dated and overdue", due, true, false, "due 3/5", systemRed()},
        {"dated and today", due, false, true, "due 3/5", palette.secondary},
        {"dated, overdue and today", due, true, true, "due 3/5", systemRed()},
        {"dated only", due, false, false, "due 3/5", palette.secondary},
        {"today without date", std::nullopt, false, true, "Today", palette.accent},
        {"overdue without date", std::nullopt, true, false, std::nullopt, {}},
        {"nothing", std::nullopt, false, false, std::nullopt, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ReadySnapshot::Item item = task(1);
        item.dueDate = row.dueDate;
        item.isOverdue = row.isOverdue;
        item.isToday = row.isToday;
        const std::vector<Text> texts = textsOf(rowFor(item));
        if (!row.label) {
            EXPECT_EQ(texts.size(), 2u);
            continue;
        }
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[2].string, *row.label);
        EXPECT_EQ(texts[2].color, row.color);
        EXPECT_TRUE(texts[2].fixedSize);
        EXPECT_EQ(texts[2].lineLimit, 1);
    }
}

TEST(ReadyWidgetRow, KeepsAnEmptyFlowLine) {
    ReadySnapshot::Item item = task(1);
    item.flowName.clear();
    const std::vector<Text> texts = textsOf(rowFor(item));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].string, "");
}

TEST(ReadyWidgetRow, EveryTickCarriesItsTaskAndTheSameLabel) {
    const ScopedLanguage language("de");
    ReadySnapshot::Item first = task(0x11);
    ReadySnapshot::Item second = task(0x22);
    second.title = "A quite different title";
    const auto firstButton = modifiersOf<IntentButton>(rowFor(first));
    const auto secondButton = modifiersOf<IntentButton>(rowFor(second));
    ASSERT_EQ(firstButton.size(), 1u);
    ASSERT_EQ(secondButton.size(), 1u);
    EXPECT_EQ(firstButton[0].intent.parameter, "11111111-1111-1111-1111-111111111111");
    EXPECT_EQ(secondButton[0].intent.parameter, "22222222-2222-2222-2222-222222222222");
    EXPECT_EQ(firstButton[0].accessibilityLabel, secondButton[0].accessibilityLabel);
    EXPECT_EQ(firstButton[0].accessibilityLabel, "Aufgabe abschließen");
}

TEST(ReadyWidgetRow, IgnoresThePriority) {
    ReadySnapshot::Item high = task(1);
    high.priorityRaw = "high";
    ReadySnapshot::Item low = task(1);
    low.priorityRaw = "low";
    EXPECT_EQ(rowFor(high), rowFor(low));
}

} // namespace
} // namespace tandry::testing
