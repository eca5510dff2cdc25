#include "widget/store/SnapshotCodec.h"

#include "tests/store/DecodingCases.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

namespace tandry {
namespace {

using namespace std::chrono;

TEST(SnapshotDecoding, ReadsEveryFieldOfTheWorkedExample) {
    auto cases =
        testing::readDecodingCases(TANDRY_SOURCE_DIR "/tests/store/data/snapshot-decoding.txt");
    ASSERT_FALSE(cases.empty());
    auto at = [](int day, int hour) {
        return Instant{sys_days{2026y / December / day} + hours{hour}};
    };
    ReadySnapshot expected{at(5, 18),
                           5,
                           {{*parseUuidText("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90"),
                             "Send the invoice", "Finance", at(4, 17), true, false, "none"},
                            {*parseUuidText("9B3E7F21-C8D4-4A6B-8E05-71F2A3C9D6E4"),
                             "Water the plants", "Home", std::nullopt, false, true, "none"}},
                           "green",
                           std::nullopt};
    EXPECT_EQ(decodeSnapshot(cases.front().input), expected);
}

TEST(SnapshotDecoding, AnswersEveryCaseOfItsTable) {
    auto cases =
        testing::readDecodingCases(TANDRY_SOURCE_DIR "/tests/store/data/snapshot-decoding.txt");
    ASSERT_GT(cases.size(), 50U);
    for (const auto& row : cases) {
        SCOPED_TRACE(fmt::format("line {}: {}", row.line, row.why));
        auto snapshot = decodeSnapshot(row.input);
        if (row.fails) {
            ASSERT_FALSE(snapshot.has_value());
            EXPECT_EQ(snapshot.error().message, row.answer);
        } else {
            ASSERT_TRUE(snapshot.has_value()) << snapshot.error();
            EXPECT_EQ(encodeSnapshot(*snapshot), row.answer);
        }
    }
}

TEST(SnapshotEncoding, EscapesWhatJsonNeedsAndRefusesTextThatIsNotUtf8) {
    ReadySnapshot snapshot{
        .validUntil = distantFuture(),
        .tasks = {{.title = "Quote \" backslash \\ newline \n tab \t bell \x07 é"}},
        .emptyReason = "noTasks"};
    EXPECT_EQ(decodeSnapshot(encodeSnapshot(snapshot).value()), snapshot);
    snapshot.paletteRaw = "\xFF";
    EXPECT_FALSE(encodeSnapshot(snapshot).has_value());
}

} // namespace
} // namespace tandry
