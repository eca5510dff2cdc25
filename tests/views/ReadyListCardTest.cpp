#include "widget/views/ReadyListCard.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/support/TableFile.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

// The number of rows listed, then the card's texts other than the header and
// the rows, joined by "|": "7|12 tasks ready|5 more tasks".
std::string summary(const Element& card) {
    int rows = 0;
    std::string texts;
    for (const Text& text : textsOf(card)) {
        if (text.string.starts_with("Task ")) {
            ++rows;
        } else if (text.string != "Ready" && text.string != "Flow") {
            texts += "|" + text.string;
        }
    }
    return std::to_string(rows) + texts;
}

TEST(ReadyListCard, ListsUpToItsRowsAndCountsTheTasksLeftOut) {
    const ScopedLanguage language("en");
    const WidgetPalette palette = WidgetPalette::resolve("orange", ColorScheme::light);
    for (const TableRow& row :
         readTableFile(TANDRY_SOURCE_DIR "/tests/views/data/list-cards.tsv")) {
        SCOPED_TRACE(::testing::Message() << "list-cards.tsv:" << row.line);
        const ReadyListCard card{
            snapshotOf(std::stoll(row.fields.at(0)), std::stoi(row.fields.at(1))), palette,
            std::stoll(row.fields.at(2)), row.fields.at(3) == "compact"};
        EXPECT_EQ(summary(card.body(FakeDueDateFormat())), row.fields.at(4));
    }
}

} // namespace
} // namespace tandry::testing
