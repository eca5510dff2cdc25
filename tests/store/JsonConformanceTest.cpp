// The public JSON parser test suite, each text placed under a key the decoder
// ignores: texts every parser must accept ("y_") leave the snapshot readable,
// texts every parser must reject ("n_") make the whole document unreadable, and
// the rest ("i_") are decided either way without a crash.

#include "widget/store/SnapshotCodec.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>

namespace tandry {
namespace {

TEST(JsonConformance, DecidesEveryTextOfTheSuiteUnderAnIgnoredKey) {
    std::map<char, int> counts;
    for (const auto& entry :
         std::filesystem::directory_iterator(TANDRY_TESTDATA_DIR "/json-test-suite/test_parsing")) {
        auto name = entry.path().filename().string();
        SCOPED_TRACE(name);
        std::ifstream in(entry.path(), std::ios::binary);
        auto snapshot = decodeSnapshot(
            R"({"validUntil":"2026-12-05T18:00:00Z","total":1,"tasks":[],"paletteRaw":"green","ignored":)" +
            std::string(std::istreambuf_iterator<char>(in), {}) + "}");
        ++counts[name.front()];
        if (name.front() == 'y') {
            EXPECT_TRUE(snapshot.has_value()) << snapshot.error();
        } else if (name.front() == 'n') {
            EXPECT_FALSE(snapshot.has_value());
        } else if (snapshot) {
            EXPECT_EQ(snapshot->total, 1);
        }
    }
    EXPECT_GT(counts['y'], 90);
    EXPECT_GT(counts['n'], 180);
}

} // namespace
} // namespace tandry
