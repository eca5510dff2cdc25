#include "widget/store/SnapshotCodec.h"

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <string>

namespace tandry {
namespace {

using namespace std::chrono;

const std::string workedExample =
    R"({"validUntil":"2026-12-05T18:00:00Z","total":5,"tasks":[{"id":"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90","title":"Send the invoice","flowName":"Finance","dueDate":"2026-12-04T17:00:00Z","isOverdue":true,"isToday":false,"priorityRaw":"none"},{"id":"9B3E7F21-C8D4-4A6B-8E05-71F2A3C9D6E4","title":"Water the plants","flowName":"Home","isOverdue":false,"isToday":true,"priorityRaw":"none"}],"paletteRaw":"green"})";

Instant utc(int y, unsigned m, unsigned d, int hh) {
    return Instant{sys_days{year{y} / month{m} / day{d}} + hours{hh}};
}

Uuid uuid(const char* text) {
    return *parseUuidText(text);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(SnapshotDecoding, ReadsTheWorkedExample) {
    ReadySnapshot expected{utc(2026, 12, 5, 18),
                           5,
                           {{uuid("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90"), "Send the invoice",
                             "Finance", utc(2026, 12, 4, 17), true, false, "none"},
                            {uuid("9B3E7F21-C8D4-4A6B-8E05-71F2A3C9D6E4"), "Water the plants",
                             "Home", std::nullopt, false, true, "none"}},
                           "green",
                           std::nullopt};
    EXPECT_EQ(decodeSnapshot(workedExample), expected);
}

TEST(SnapshotDecoding, ReadsTheNothingReadyExample) {
    auto snapshot = decodeSnapshot(std::string_view(
        R"({"validUntil":"2026-12-06T00:00:00Z","total":0,"tasks":[],"paletteRaw":"violet","emptyReason":"allDone"})"));
    ASSERT_TRUE(snapshot.has_value()) << snapshot.error();
    EXPECT_EQ(snapshot->total, 0);
    EXPECT_TRUE(snapshot->tasks.empty());
    EXPECT_EQ(snapshot->emptyReason, "allDone");
}

TEST(SnapshotDecoding, FailsWholeOnOneBadField) {
    struct Row {
        std::string from;
        std::string to;
        std::string message;
    };
    const Row rows[] = {
        {R"("total":5)", R"("total":5.5)",
         R"("total": expected a whole number in the signed 64-bit range)"},
        {R"("total":5)", R"("total":5.0)",
         R"("total": expected a whole number in the signed 64-bit range)"},
        {R"("total":5)", R"("total":"5")",
         R"("total": expected a whole number in the signed 64-bit range)"},
        {R"("total":5)", R"("total":9223372036854775808)",
         R"("total": expected a whole number in the signed 64-bit range)"},
        {R"("total":5)", R"("total":null)",
         R"("total": expected a whole number in the signed 64-bit range)"},
        {R"("isToday":true)", R"("isToday":1)", R"("tasks[1].isToday": expected true or false)"},
        {R"("isOverdue":true)", R"("isOverdue":"true")",
         R"("tasks[0].isOverdue": expected true or false)"},
        {"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90", "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A9",
         R"("tasks[0].id": invalid UUID text "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A9")"},
        {"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90", "{0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90}",
         R"("tasks[0].id": invalid UUID text "{0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90}")"},
        {"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90", "0D5A2C647E1B4F3A9C112B6E8D4F7A90",
         R"("tasks[0].id": invalid UUID text "0D5A2C647E1B4F3A9C112B6E8D4F7A90")"},
        {R"("validUntil":"2026-12-05T18:00:00Z")", R"("validUntil":1765044000)",
         R"("validUntil": expected date text)"},
        {R"("validUntil":"2026-12-05T18:00:00Z")", R"("ValidUntil":"2026-12-05T18:00:00Z")",
         R"("validUntil": missing)"},
        {R"("validUntil":"2026-12-05T18:00:00Z")", R"("validUntil":"2026-02-30T18:00:00Z")",
         R"("validUntil": invalid date text "2026-02-30T18:00:00Z")"},
        {R"("dueDate":"2026-12-04T17:00:00Z")", R"("dueDate":"tomorrow")",
         R"("tasks[0].dueDate": invalid date text "tomorrow")"},
        {R"("paletteRaw":"green")", R"("paletteRaw":null)", R"("paletteRaw": expected a string)"},
        {R"("paletteRaw":"green")", R"("paletteRaw":"green","emptyReason":3)",
         R"("emptyReason": expected a string)"},
        {R"("title":"Send the invoice",)", "", R"("tasks[0].title": missing)"},
        {R"("priorityRaw":"none"}])", R"("priorityRaw":"none"},3])",
         "tasks[2]: expected a task object"},
        {R"("tasks":[)", R"("tasks":{"a":[)", R"("tasks": expected an array)"},
        {R"("total":5)", R"("total":5,"total":5)", R"("total": appears more than once)"},
        {R"("title":"Send the invoice")", R"("title":"Send the invoice","title":"Other")",
         R"("tasks[0].title": appears more than once)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.to);
        auto snapshot = decodeSnapshot(replaced(workedExample, row.from, row.to));
        ASSERT_FALSE(snapshot.has_value());
        EXPECT_EQ(snapshot.error().message, row.message);
    }
}

TEST(SnapshotDecoding, RequiresEveryRequiredKey) {
    for (const char* key : {"validUntil", "total", "tasks", "paletteRaw"}) {
        SCOPED_TRACE(key);
        auto text = decodeSnapshot(workedExample).value();
        auto document = snapshotJson(text).value();
        document.erase(key);
        auto snapshot = decodeSnapshot(document.dump());
        ASSERT_FALSE(snapshot.has_value());
        EXPECT_EQ(snapshot.error().message, fmt::format("\"{}\": missing", key));
    }
}

TEST(SnapshotDecoding, TreatsNullAndAbsentOptionalsAlike) {
    auto withNulls = decodeSnapshot(replaced(replaced(workedExample, R"("paletteRaw":"green")",
                                                      R"("paletteRaw":"green","emptyReason":null)"),
                                             R"("title":"Water the plants")",
                                             R"("title":"Water the plants","dueDate":null)"));
    ASSERT_TRUE(withNulls.has_value()) << withNulls.error();
    EXPECT_EQ(withNulls, decodeSnapshot(workedExample));

    auto emptyReason = decodeSnapshot(
        replaced(workedExample, R"("paletteRaw":"green")", R"("paletteRaw":"","emptyReason":"")"));
    ASSERT_TRUE(emptyReason.has_value());
    EXPECT_EQ(emptyReason->emptyReason, std::optional<std::string>(""));
    EXPECT_EQ(emptyReason->paletteRaw, "");
}

TEST(SnapshotDecoding, AcceptsWhatOnlyLaterStagesJudge) {
    auto negative = decodeSnapshot(replaced(workedExample, R"("total":5)", R"("total":-3)"));
    ASSERT_TRUE(negative.has_value());
    EXPECT_EQ(negative->total, -3);

    auto extremes =
        decodeSnapshot(replaced(workedExample, R"("total":5)", R"("total":-9223372036854775808)"));
    ASSERT_TRUE(extremes.has_value());
    EXPECT_EQ(extremes->total, INT64_MIN);

    auto lowerCase = decodeSnapshot(replaced(workedExample, "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90",
                                             "0d5a2c64-7e1b-4f3a-9c11-2b6e8d4f7a90"));
    ASSERT_TRUE(lowerCase.has_value());
    EXPECT_EQ(lowerCase, decodeSnapshot(workedExample));
    EXPECT_NE(encodeSnapshot(*lowerCase)->find("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90"),
              std::string::npos);
}

TEST(SnapshotDecoding, IgnoresUnknownKeysWhateverTheyHold) {
    const char* values[] = {
        "123456789012345678901234567890", "1e400", "-1e-400", "[[[{}]]]", R"({"validUntil":7})",
        R"("\u00e9\ud83d\ude00")",        "null",  "true"};
    for (const char* value : values) {
        SCOPED_TRACE(value);
        auto text = replaced(
            replaced(workedExample, R"("total":5)", fmt::format(R"("extra":{},"total":5)", value)),
            R"("isToday":true)", fmt::format(R"("isToday":true,"note":{})", value));
        EXPECT_EQ(decodeSnapshot(text), decodeSnapshot(workedExample));
    }
}

TEST(SnapshotDecoding, RejectsDocumentsThatAreNotJsonAnywhere) {
    struct Row {
        std::string text;
        const char* why;
    };
    std::string invalidUtf8 = replaced(workedExample, "Home", "Ho\xC3\x28me");
    const Row rows[] = {
        {replaced(workedExample, R"("total":5)", R"("extra":tru,"total":5)"), "misspelt literal"},
        {replaced(workedExample, R"("total":5)", R"("extra":nul,"total":5)"), "misspelt null"},
        {replaced(workedExample, R"("total":5)", R"("extra":01,"total":5)"), "leading zero"},
        {replaced(workedExample, R"("total":5)", R"("extra":1.,"total":5)"), "bad fraction"},
        {replaced(workedExample, R"("total":5)", R"("extra":"\x","total":5)"), "bad escape"},
        {replaced(workedExample, R"("total":5)", R"("extra":[1,],"total":5)"), "trailing comma"},
        {std::string(workedExample) + "{}", "a trailing second document"},
        {std::string(workedExample) + " x", "trailing garbage"},
        {invalidUtf8, "invalid UTF-8 in a used string"},
        {replaced(workedExample, R"("total":5)", "\"extra\":\"\xFF\",\"total\":5"),
         "invalid UTF-8 in an ignored string"},
        {"[]", "not an object"},
        {"", "empty"},
        {std::string(workedExample).substr(0, 100), "truncated"},
        {replaced(workedExample, R"("total":5)",
                  R"("extra":)" + std::string(100000, '[') + R"(,"total":5)"),
         "deep nesting"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_FALSE(decodeSnapshot(row.text).has_value());
    }
}

TEST(SnapshotDecoding, TreatsEscapedKeysAsTheirText) {
    auto escaped = replaced(workedExample, R"("paletteRaw")", R"("palette\u0052aw")");
    EXPECT_EQ(decodeSnapshot(escaped), decodeSnapshot(workedExample));
}

TEST(SnapshotEncoding, RoundTripsAndLeavesAbsentKeysOut) {
    auto snapshot = decodeSnapshot(workedExample).value();
    auto text = encodeSnapshot(snapshot).value();
    EXPECT_EQ(text, workedExample);
    EXPECT_EQ(decodeSnapshot(text), snapshot);

    snapshot.emptyReason = "noTasks";
    snapshot.tasks[0].title = "Quote \" backslash \\ newline \n tab \t bell \x07 é";
    auto again = decodeSnapshot(encodeSnapshot(snapshot).value());
    EXPECT_EQ(again, snapshot);
}

TEST(SnapshotEncoding, FailsOnTextThatIsNotUtf8) {
    auto snapshot = decodeSnapshot(workedExample).value();
    snapshot.paletteRaw = "\xFF";
    EXPECT_FALSE(encodeSnapshot(snapshot).has_value());
}

} // namespace
} // namespace tandry
