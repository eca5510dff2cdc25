// The public JSON parser test suite, each text placed under a key the decoder
// ignores: texts every parser must accept leave the snapshot readable, texts
// every parser must reject make the whole document unreadable, and the rest
// are decided either way without a crash.

#include "widget/store/SnapshotCodec.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace tandry {
namespace {

constexpr const char* snapshotHead =
    R"({"validUntil":"2026-12-05T18:00:00Z","total":1,"tasks":[],"paletteRaw":"green","ignored":)";

std::vector<std::filesystem::path> suiteFiles(char prefix) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(TANDRY_TESTDATA_DIR "/json-test-suite/test_parsing")) {
        if (entry.path().filename().string().front() == prefix) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string snapshotIgnoring(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    return snapshotHead + text + "}";
}

TEST(JsonConformance, AcceptsEveryValidTextUnderAnIgnoredKey) {
    auto files = suiteFiles('y');
    ASSERT_GT(files.size(), 90U);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        auto snapshot = decodeSnapshot(snapshotIgnoring(file));
        EXPECT_TRUE(snapshot.has_value()) << snapshot.error();
    }
}

TEST(JsonConformance, RejectsEveryInvalidTextUnderAnIgnoredKey) {
    auto files = suiteFiles('n');
    ASSERT_GT(files.size(), 180U);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        EXPECT_FALSE(decodeSnapshot(snapshotIgnoring(file)).has_value());
    }
}

TEST(JsonConformance, DecidesImplementationDefinedTextsWithoutCrashing) {
    for (const auto& file : suiteFiles('i')) {
        SCOPED_TRACE(file.filename().string());
        auto snapshot = decodeSnapshot(snapshotIgnoring(file));
        if (snapshot) {
            EXPECT_EQ(snapshot->total, 1);
        }
    }
}

} // namespace
} // namespace tandry
