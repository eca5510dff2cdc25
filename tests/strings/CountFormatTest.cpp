#include "widget/strings/CountFormat.h"

#include "tests/support/TableFile.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

TEST(CountFormat, PutsTheNumberInPlaceOfTheOneConversionAndRejectsAllElse) {
    auto rows = testing::readTableFile(TANDRY_SOURCE_DIR "/tests/strings/data/count-formats.tsv");
    ASSERT_GT(rows.size(), 30u);
    for (const auto& row : rows) {
        SCOPED_TRACE("line " + std::to_string(row.line));
        ASSERT_EQ(row.fields.size(), 3u);
        auto text = formatCount(row.fields[0], std::stoll(row.fields[1]));
        EXPECT_EQ(text.value_or("rejected"), row.fields[2]);
    }
}

} // namespace
} // namespace tandry
