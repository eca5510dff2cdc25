#include "widget/views/ListCardCounts.h"

#include <gtest/gtest.h>
#include <limits>

namespace tandry {
namespace {

constexpr std::int64_t minimum = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t maximum = std::numeric_limits<std::int64_t>::max();

TEST(ListCardCounts, ListsUpToTheRowLimitAndCountsTheRest) {
    struct Row {
        std::int64_t total;
        std::int64_t rows;
        std::size_t tasks;
        ListCardCounts expected;
    };
    const Row table[] = {
        {12, 7, 8, {12, 7, 5}},
        {12, 3, 8, {12, 3, 9}},
        {5, 7, 5, {5, 5, 0}},
        {3, 7, 5, {3, 5, -2}},
        {4, 0, 4, {4, 0, 4}},
        {0, 7, 3, {0, 3, -3}},
        {-1, 7, 2, {-1, 2, -3}},
        // A negative row limit lists nothing rather than misreading the count.
        {4, -3, 4, {4, 0, 4}},
        // The extremes of the task manager's count.
        {maximum, 7, 8, {maximum, 7, maximum - 7}},
        {maximum, 0, 0, {maximum, 0, maximum}},
        {minimum, 0, 3, {minimum, 0, minimum}},
        {minimum, 7, 8, {minimum, 7, minimum}},
        {minimum + 6, 7, 8, {minimum + 6, 7, minimum}},
        {minimum + 7, 7, 8, {minimum + 7, 7, minimum}},
        {minimum + 8, 7, 8, {minimum + 8, 7, minimum + 1}},
        {maximum, maximum, 3, {maximum, 3, maximum - 3}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(::testing::Message()
                     << "total " << row.total << ", rows " << row.rows << ", tasks " << row.tasks);
        EXPECT_EQ(ListCardCounts::of(row.total, row.rows, row.tasks), row.expected);
    }
}

TEST(ListCardCounts, ComparesTaskCountsBeyondTheSignedRange) {
    const std::size_t huge = static_cast<std::size_t>(maximum) + 10;
    EXPECT_EQ(ListCardCounts::of(9, 7, huge), (ListCardCounts{9, 7, 2}));
    EXPECT_EQ(ListCardCounts::of(9, maximum, huge).shown, maximum);
}

} // namespace
} // namespace tandry
