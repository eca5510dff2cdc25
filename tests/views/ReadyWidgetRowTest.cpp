#include "widget/views/ReadyWidgetRow.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

// A date wins over "today" and is red when overdue; overdue alone shows nothing.
TEST(ReadyWidgetRow, ChoosesTheDueLabelByDateThenToday) {
    const ScopedLanguage language("en");
    const WidgetPalette palette = WidgetPalette::resolve("blue", ColorScheme::light);
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
        const std::vector<Text> texts =
            textsOf(ReadyWidgetRow{item, palette}.body(FakeDueDateFormat()));
        ASSERT_EQ(texts.size(), row.label ? 3u : 2u);
        if (row.label) {
            EXPECT_EQ(texts[2].string, *row.label);
            EXPECT_EQ(texts[2].color, row.color);
        }
    }
}

} // namespace
} // namespace tandry::testing
