#include "widget/strings/CountFormat.h"

#include "tests/strings/TableFile.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

TEST(CountFormat, PutsTheNumberInPlaceOfTheOneConversionAndRejectsAllElse) {
    auto rows = testing::readTableFile("count-formats.tsv");
    ASSERT_GT(rows.size(), 30u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 4u) << "line " << row[0];
        SCOPED_TRACE("line " + row[0] + ": \"" + row[1] + "\"");
        auto text = formatCount(row[1], std::stoll(row[2]));
        EXPECT_EQ(text.value_or("rejected"), row[3]);
    }
}

} // namespace
} // namespace tandry
