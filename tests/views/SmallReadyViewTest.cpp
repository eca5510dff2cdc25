#include "widget/views/SmallReadyView.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/support/TableFile.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"

#include <fmt/ranges.h>
#include <gtest/gtest.h>
#include <ranges>

namespace tandry::testing {
namespace {

TEST(SmallReadyView, ShowsTheTotalAsPlainDigitsOrTheClearTitle) {
    const ScopedLanguage language("de");
    const WidgetPalette palette = WidgetPalette::resolve("green", ColorScheme::dark);
    for (const TableRow& row :
         readTableFile(TANDRY_SOURCE_DIR "/tests/views/data/small-cards.tsv")) {
        SCOPED_TRACE(::testing::Message() << "small-cards.tsv:" << row.line);
        const SmallReadyView view{
            snapshotOf(std::stoll(row.fields.at(0)), std::stoi(row.fields.at(1))), palette};
        EXPECT_EQ(
            fmt::format(
                "{}", fmt::join(textsOf(view.body()) | std::views::transform(&Text::string), "|")),
            row.fields.at(2));
    }
}

} // namespace
} // namespace tandry::testing
