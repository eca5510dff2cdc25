#include "widget/strings/CountFormat.h"

#include <gtest/gtest.h>
#include <limits>

namespace tandry {
namespace {

TEST(CountFormat, PutsTheNumberInPlaceOfTheOneConversion) {
    struct Row {
        const char* format;
        std::int64_t n;
        const char* expected;
    };
    const Row rows[] = {
        {"%lld tasks ready", 5, "5 tasks ready"},
        {"widget.count %lld", 3, "widget.count 3"},
        {"jeszcze %lld zadań", 22, "jeszcze 22 zadań"},
        {"%1$lld件", 7, "7件"},
        {"%lld", -2, "-2"},
        {"%lld", std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
        {"%lld", std::numeric_limits<std::int64_t>::max(), "9223372036854775807"},
        {"100%% of %lld", 4, "100% of 4"},
        {"%lld%%", 0, "0%"},
        {"one task ready", 1, "one task ready"},
        {"", 9, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.format);
        EXPECT_EQ(formatCount(row.format, row.n), std::optional<std::string>(row.expected));
    }
}

TEST(CountFormat, RejectsEveryOtherConversion) {
    const char* rows[] = {
        "%s tasks",    "%n",     "%lld %n",  "%lld %lld", "%1$lld %1$lld",
        "%1$lld %lld", "%2$lld", "%d tasks", "%ld tasks", "%llu tasks",
        "%5lld",       "%-lld",  "%.3lld",   "%*lld",     "%llx",
        "%ll",         "%",      "tasks %",  "%lls",      "%1$s",
        "%lld %s",     "%%%s",   "%I64d",    "%zd",
    };
    for (const char* format : rows) {
        SCOPED_TRACE(format);
        EXPECT_EQ(formatCount(format, 5), std::nullopt);
    }
}

} // namespace
} // namespace tandry
