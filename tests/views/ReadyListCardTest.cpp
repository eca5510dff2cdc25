#include "widget/views/ReadyListCard.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"

#include <gtest/gtest.h>
#include <limits>

namespace tandry::testing {
namespace {

// The card's texts other than the header and the rows, joined by "|", after
// the number of rows listed: "7: 12 tasks ready|5 more tasks".
std::string summary(const Element& card) {
    int rows = 0;
    std::string texts;
    for (const std::string& text : stringsOf(card)) {
        if (text.starts_with("Task ")) {
            ++rows;
        } else if (text != "Ready" && text != "Flow") {
            texts += (texts.empty() ? "" : "|") + text;
        }
    }
    return std::to_string(rows) + ": " + texts;
}

// Which card a total gives, how many rows it lists, and the count of the tasks
// it leaves out: only a positive total is counted, a total of zero is the
// clear card whatever the list holds, and a compact card never counts the rest.
TEST(ReadyListCard, ListsUpToItsRowsAndCountsTheTasksLeftOut) {
    const ScopedLanguage language("en");
    constexpr auto maximum = std::numeric_limits<std::int64_t>::max();
    constexpr auto minimum = std::numeric_limits<std::int64_t>::min();
    struct Row {
        std::int64_t total;
        int tasks;
        std::int64_t rows;
        bool compact;
        const char* expected;
    };
    const Row table[] = {
        {0, 3, 7, false, "0: All clear|Nothing is ready right now."},
        {12, 8, 7, false, "7: 12 tasks ready|5 more tasks"},
        {12, 8, 3, true, "3: 12 tasks ready"},
        {8, 8, 7, false, "7: 8 tasks ready|1 more task"},
        {5, 5, 7, false, "5: 5 tasks ready"},
        {3, 5, 7, false, "5: 3 tasks ready"},
        {4, 4, 0, false, "0: 4 tasks ready|4 more tasks"},
        {-2, 2, 7, false, "2: "},
        {maximum, 0, 7, false, "0: 9223372036854775807 tasks ready|9223372036854775807 more tasks"},
        {maximum, 1, 7, false, "1: 9223372036854775807 tasks ready|9223372036854775806 more tasks"},
        {minimum, 2, 7, false, "2: "},
    };
    const WidgetPalette palette = WidgetPalette::resolve("orange", ColorScheme::light);
    for (const Row& row : table) {
        SCOPED_TRACE(::testing::Message() << "total " << row.total << ", tasks " << row.tasks
                                          << ", rows " << row.rows << ", compact " << row.compact);
        const ReadyListCard card{snapshotOf(row.total, row.tasks), palette, row.rows, row.compact};
        EXPECT_EQ(summary(card.body(FakeDueDateFormat())), row.expected);
    }
}

} // namespace
} // namespace tandry::testing
