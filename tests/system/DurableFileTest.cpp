#include "widget/system/DurableFile.h"

#include "tests/support/TemporaryDirectory.h"
#include "widget/system/FileDescriptor.h"

#include <atomic>
#include <fcntl.h>
#include <fmt/format.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <thread>

namespace tandry {
namespace {

using testing::TemporaryDirectory;
using testing::writeFile;

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::set<std::string> names(const std::filesystem::path& directory) {
    std::set<std::string> result;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        result.insert(entry.path().filename().string());
    }
    return result;
}

// Readers see the old bytes or the new ones, each whole, never a part: a
// reader racing two writers of large files finds only complete ones.
TEST(DurableFile, NeverShowsAPartialFile) {
    TemporaryDirectory directory;
    const auto target = directory.path() / "list.json";
    const std::string first(1 << 20, 'a');
    const std::string second(1 << 19, 'b');
    ASSERT_TRUE(replaceFileDurably(target, first));

    std::atomic<bool> writing{true};
    std::thread writer([&] {
        for (int round = 0; round < 20; ++round) {
            EXPECT_TRUE(replaceFileDurably(target, round % 2 == 0 ? second : first));
        }
        writing = false;
    });
    int reads = 0;
    while (writing) {
        const std::string seen = contents(target);
        ASSERT_TRUE(seen == first || seen == second) << seen.size() << " bytes";
        ++reads;
    }
    writer.join();
    EXPECT_GT(reads, 0);
    EXPECT_EQ(names(directory.path()), std::set<std::string>{"list.json"})
        << "no temporary file stays behind";
}

// A symbolic link planted at the temporary name is not followed: the write
// fails and the link's target keeps its bytes.
TEST(DurableFile, DoesNotFollowALinkPlantedAtTheTemporaryName) {
    TemporaryDirectory directory;
    const auto victim = directory.path() / "victim";
    writeFile(victim, "precious");
    const auto target = directory.path() / "list.json";
    writeFile(target, "old");
    const auto temporary = directory.path() / ".list.json.planted.partial";
    std::filesystem::create_symlink(victim, temporary);

    const FileDescriptor opened{::open(directory.path().c_str(), O_RDONLY | O_DIRECTORY)};
    const auto replaced = detail::replaceFileVia(opened.get(), directory.path(), "list.json",
                                                 temporary.filename().string(), "new", 0644);
    ASSERT_FALSE(replaced.has_value());
    EXPECT_EQ(replaced.error().message,
              fmt::format("cannot create {}: File exists", temporary.string()));
    EXPECT_EQ(contents(victim), "precious");
    EXPECT_EQ(contents(target), "old");
    EXPECT_TRUE(std::filesystem::is_symlink(temporary)) << "what was planted is not ours to remove";
}

// After the call the new entry is in its directory under its final name
// (renamed and flushed there), and a directory that cannot be flushed is
// reported rather than taken for done.
TEST(DurableFile, LeavesTheEntryInItsDirectory) {
    TemporaryDirectory directory;
    const auto nested = directory.path() / "state";
    std::filesystem::create_directory(nested);
    ASSERT_TRUE(replaceFileDurably(nested / "places.json", "{}\n"));
    EXPECT_EQ(names(nested), std::set<std::string>{"places.json"});
    EXPECT_EQ(contents(nested / "places.json"), "{}\n");

    const auto missing = directory.path() / "missing";
    const auto flushed = syncDirectory(missing);
    ASSERT_FALSE(flushed.has_value());
    EXPECT_EQ(flushed.error().message,
              fmt::format("cannot open directory {}: No such file or directory", missing.string()));
    const auto written = replaceFileDurably(missing / "places.json", "{}");
    ASSERT_FALSE(written.has_value());
    EXPECT_EQ(written.error().message,
              fmt::format("cannot open directory {}: No such file or directory", missing.string()));
}

// An existing file is replaced whole, however long it was; a symbolic link
// at the target is replaced itself, not written through; a target that
// cannot be replaced keeps what it had, and no temporary file stays.
TEST(DurableFile, ReplacesAnExistingFileWhole) {
    TemporaryDirectory directory;
    const auto target = directory.path() / "entry.desktop";
    writeFile(target, std::string(4096, 'x'));
    ASSERT_TRUE(replaceFileDurably(target, "short"));
    EXPECT_EQ(contents(target), "short");

    const auto elsewhere = directory.path() / "elsewhere";
    writeFile(elsewhere, "theirs");
    const auto link = directory.path() / "link.json";
    std::filesystem::create_symlink(elsewhere, link);
    ASSERT_TRUE(replaceFileDurably(link, "ours"));
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    EXPECT_EQ(contents(link), "ours");
    EXPECT_EQ(contents(elsewhere), "theirs");

    const auto occupied = directory.path() / "occupied";
    std::filesystem::create_directories(occupied / "inside");
    const auto replaced = replaceFileDurably(occupied, "bytes");
    ASSERT_FALSE(replaced.has_value());
    EXPECT_EQ(replaced.error().message,
              fmt::format("cannot replace {}: Is a directory", occupied.string()));
    EXPECT_TRUE(std::filesystem::is_directory(occupied / "inside"));
    EXPECT_EQ(names(directory.path()),
              (std::set<std::string>{"elsewhere", "entry.desktop", "link.json", "occupied"}));
}

} // namespace
} // namespace tandry
