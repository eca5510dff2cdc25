#include "widget/views/ReadyWidgetRow.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/support/TableFile.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

TEST(ReadyWidgetRow, ChoosesTheDueLabelByDateThenToday) {
    const ScopedLanguage language("en");
    const WidgetPalette palette = WidgetPalette::resolve("blue", ColorScheme::light);
    const auto colour = [&](const std::string& name) {
        return name == "red"      ? Color::systemRed()
               : name == "accent" ? palette.accent
                                  : palette.secondary;
    };
    for (const TableRow& row :
         readTableFile(TANDRY_SOURCE_DIR "/tests/views/data/due-labels.tsv")) {
        SCOPED_TRACE(::testing::Message() << "due-labels.tsv:" << row.line);
        ReadySnapshot::Item item = task(1);
        if (row.fields.at(0) == "dated") {
            item.dueDate = utc(2026, 3, 5);
        }
        item.isOverdue = row.fields.at(1) == "overdue";
        item.isToday = row.fields.at(2) == "today";
        const std::vector<Text> texts =
            textsOf(ReadyWidgetRow{item, palette}.body(FakeDueDateFormat()));
        const bool labelled = row.fields.at(3) != "-";
        ASSERT_EQ(texts.size(), labelled ? 3u : 2u);
        if (labelled) {
            EXPECT_EQ(texts[2].string, row.fields[3]);
            EXPECT_EQ(texts[2].color, colour(row.fields.at(4)));
        }
    }
}

} // namespace
} // namespace tandry::testing
