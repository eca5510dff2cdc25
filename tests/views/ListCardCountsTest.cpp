#include "widget/views/ListCardCounts.h"

#include "tests/support/TableFile.h"

#include <gtest/gtest.h>
#include <string>

namespace tandry::testing {
namespace {

TEST(ListCardCounts, ListsUpToTheRowLimitAndCountsTheRest) {
    for (const TableRow& row :
         readTableFile(TANDRY_SOURCE_DIR "/tests/views/data/list-card-counts.tsv")) {
        SCOPED_TRACE(::testing::Message() << "list-card-counts.tsv:" << row.line);
        const std::int64_t total = std::stoll(row.fields.at(0));
        EXPECT_EQ(
            ListCardCounts::of(total, std::stoll(row.fields.at(1)), std::stoull(row.fields.at(2))),
            (ListCardCounts{total, std::stoll(row.fields.at(3)), std::stoll(row.fields.at(4))}));
    }
}

} // namespace
} // namespace tandry::testing
