// The snapshot codec, and the queue record codec beside it: both answer tables
// of cases in data/.

#include "widget/store/SnapshotCodec.h"

#include "tests/support/TableFile.h"
#include "widget/store/PendingCompletionCodec.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

namespace tandry {
namespace {

std::vector<testing::TableRow> decodingCases(const char* name) {
    return testing::readTableFile(fmt::format("{}/tests/store/data/{}", TANDRY_SOURCE_DIR, name));
}

// Each document decodes and is written back as the row says, or fails with its exact message.
template <typename Decode, typename Encode>
void expectAnswers(const std::vector<testing::TableRow>& rows, Decode decode, Encode encode) {
    for (const auto& row : rows) {
        SCOPED_TRACE(fmt::format("line {}", row.line));
        ASSERT_EQ(row.fields.size(), 3u);
        auto decoded = decode(row.fields[0]);
        if (row.fields[1] == "error") {
            ASSERT_FALSE(decoded.has_value());
            EXPECT_EQ(decoded.error().message, row.fields[2]);
        } else {
            ASSERT_TRUE(decoded.has_value()) << decoded.error();
            EXPECT_EQ(encode(*decoded), row.fields[2]);
        }
    }
}

TEST(SnapshotDecoding, AnswersEveryCaseOfItsTable) {
    auto rows = decodingCases("snapshot-decoding.tsv");
    ASSERT_GT(rows.size(), 50U);
    expectAnswers(
        rows, [](const std::string& text) { return decodeSnapshot(text); }, encodeSnapshot);
}

TEST(PendingCompletionDecoding, AnswersEveryCaseOfItsTable) {
    auto rows = decodingCases("record-decoding.tsv");
    ASSERT_GT(rows.size(), 10U);
    expectAnswers(
        rows, [](const std::string& text) { return decodePendingCompletion(text); },
        encodePendingCompletion);
}

// The decoder refuses text that is not UTF-8, so only a snapshot made in code can hold it.
TEST(SnapshotEncoding, RefusesTextThatIsNotUtf8) {
    EXPECT_FALSE(encodeSnapshot({.paletteRaw = "\xFF"}).has_value());
}

} // namespace
} // namespace tandry
