#include "widget/views/SmallReadyView.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"

#include <gtest/gtest.h>
#include <limits>

namespace tandry::testing {
namespace {

// The total decides between the clear title and the count, whatever the task
// list holds; the count is the integer's own digits, never grouped even in a
// language that groups them, and at most two titles follow it.
TEST(SmallReadyView, ShowsTheTotalAsPlainDigitsOrTheClearTitle) {
    const ScopedLanguage language("de");
    struct Row {
        std::int64_t total;
        int tasks;
        std::vector<std::string> texts;
    };
    const Row rows[] = {
        {0, 3, {"Bereit", "Alles erledigt"}},
        {7, 0, {"Bereit", "7"}},
        {1234567, 1, {"Bereit", "1234567", "Task 1"}},
        {-3, 3, {"Bereit", "-3", "Task 1", "Task 2"}},
        {std::numeric_limits<std::int64_t>::max(), 0, {"Bereit", "9223372036854775807"}},
        {std::numeric_limits<std::int64_t>::min(), 0, {"Bereit", "-9223372036854775808"}},
    };
    const WidgetPalette palette = WidgetPalette::resolve("green", ColorScheme::dark);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.total);
        EXPECT_EQ(stringsOf(SmallReadyView{snapshotOf(row.total, row.tasks), palette}.body()),
                  row.texts);
    }
}

} // namespace
} // namespace tandry::testing
