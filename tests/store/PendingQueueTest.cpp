#include "widget/store/PendingQueue.h"

#include "tests/support/TemporaryDirectory.h"
#include "widget/store/FileReading.h"
#include "widget/store/PendingCompletionCodec.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <fmt/format.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace tandry {
namespace {

using testing::TemporaryDirectory;
using testing::writeFile;

Uuid uuid(const char* text) {
    return *parseUuidText(text);
}
Instant at(const char* text) {
    return *parseDateText(text);
}

std::set<std::string> names(const std::filesystem::path& directory) {
    std::set<std::string> result;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        result.insert(entry.path().filename().string());
    }
    return result;
}

class PendingQueue : public ::testing::Test {
protected:
    std::filesystem::path queue() const { return container.path() / "pending-completions"; }

    PendingCompletion park(const char* taskID, const char* requestedAt) {
        PendingCompletion completion{Uuid::random(), uuid(taskID), at(requestedAt)};
        EXPECT_TRUE(parkPendingCompletion(completion, container.path()).has_value());
        return completion;
    }

    TemporaryDirectory container;
};

TEST_F(PendingQueue, ParksEveryTickAndLoadsThemOldestFirst) {
    EXPECT_TRUE(loadPendingCompletions(container.path()).empty());
    EXPECT_FALSE(std::filesystem::exists(queue())) << "loading must not create the queue";

    PendingCompletion example{uuid("5c1f0b7e-2a94-4e8d-b3c6-9d07a1e4f258"),
                              uuid("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90"),
                              at("2026-12-05T09:15:42Z")};
    const mode_t previousMask = ::umask(022);
    ASSERT_TRUE(parkPendingCompletion(example, container.path()).has_value());
    ::umask(previousMask);
    // The queue is made as any directory is, so the host application, which
    // reads and clears it, may use it under the user's own file mask.
    struct stat status {};
    ASSERT_EQ(::stat(queue().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0755U);
    // The record's bytes are the encoder's, which the codec's table pins.
    EXPECT_EQ(names(queue()), std::set<std::string>{"5C1F0B7E-2A94-4E8D-B3C6-9D07A1E4F258.json"});
    // A second and third tick of the same task are records of their own.
    auto late = park("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90", "2026-12-05T10:00:05Z");
    auto early = park("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90", "2026-12-05T10:00:01Z");
    writeFile(queue() / "broken.json", "{");

    auto before = names(queue());
    EXPECT_EQ(before.size(), 4U);
    EXPECT_EQ(loadPendingCompletions(container.path()), (std::vector{example, early, late}));
    EXPECT_EQ(names(queue()), before) << "loading must leave the queue as it was";
}

TEST_F(PendingQueue, SkipsBadNeighboursAndKeepsGoodRecords) {
    auto good = park("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90", "2026-12-05T10:00:00Z");
    auto record = [] {
        return *encodePendingCompletion({Uuid::random(), Uuid::random(), Instant{}});
    };
    // Valid records under names or in places that do not count.
    for (const char* name : {"notes.txt", "upper.JSON", "noextension", ".record.json.partial"}) {
        writeFile(queue() / name, record());
    }
    writeFile(queue() / "huge.json", record() + std::string(70 * 1024, ' '));
    writeFile(container.path() / "outside.json", record());
    std::filesystem::create_directory_symlink(container.path(), queue() / "loop.json");
    std::filesystem::create_directory(queue() / "directory.json");
    // Files named "*.json" that are no records.
    writeFile(queue() / "invalid.json", "{\"id\":");
    writeFile(queue() / "empty.json", "");
    writeFile(queue() / "wrongtypes.json", R"({"id":1,"taskID":2,"requestedAt":3})");
    // Special files must be skipped without blocking.
    ASSERT_EQ(::mkfifo((queue() / "fifo.json").c_str(), 0644), 0);
    int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    auto socketPath = (queue() / "socket.json").string();
    ASSERT_LT(socketPath.size(), sizeof(address.sun_path));
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    std::filesystem::create_symlink(queue() / "fifo.json", queue() / "fifolink.json");
    std::filesystem::create_symlink("/dev/null", queue() / "device.json");
    std::filesystem::create_symlink(queue() / "missing", queue() / "dangling.json");
    // A link to a record elsewhere counts.
    PendingCompletion linked{Uuid::random(), Uuid::random(), at("2026-12-05T10:00:01Z")};
    writeFile(container.path() / "elsewhere", *encodePendingCompletion(linked));
    std::filesystem::create_symlink(container.path() / "elsewhere", queue() / "linked.json");

    EXPECT_EQ(loadPendingCompletions(container.path()), (std::vector{good, linked}));
    DecodedRecords decoded;
    for (int read = 1; read <= 2; ++read) {
        EXPECT_EQ(loadPendingCompletions(container.path(), &decoded), (std::vector{good, linked}))
            << "read " << read << " remembering decoded records";
    }
    ::close(socketFd);
}

// A long-running reader reads a record file again only when it changed:
// rewritten in place, replaced under its name, or gone.
TEST_F(PendingQueue, RemembersDecodedRecordsUntilTheirFilesChange) {
    DecodedRecords decoded;
    const auto first = park("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90", "2026-12-05T10:00:00Z");
    const auto second = park("5C1F0B7E-2A94-4E8D-B3C6-9D07A1E4F258", "2026-12-05T10:00:01Z");
    EXPECT_EQ(loadPendingCompletions(container.path(), &decoded), (std::vector{first, second}));

    const auto firstFile = queue() / fmt::format("{}.json", uuidText(first.id));
    struct stat before {};
    ASSERT_EQ(::stat(firstFile.c_str(), &before), 0);
    PendingCompletion edited = first;
    edited.taskID = Uuid::random();
    writeFile(firstFile, *encodePendingCompletion(edited));
    const timespec unchanged[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, firstFile.c_str(), unchanged, 0), 0);
    EXPECT_EQ(loadPendingCompletions(container.path(), &decoded), (std::vector{first, second}))
        << "a file of the same size and time is taken for the one already decoded";

    const timespec later[2] = {before.st_atim, {before.st_mtim.tv_sec + 1, before.st_mtim.tv_nsec}};
    ASSERT_EQ(::utimensat(AT_FDCWD, firstFile.c_str(), later, 0), 0);
    EXPECT_EQ(loadPendingCompletions(container.path(), &decoded), (std::vector{edited, second}));

    PendingCompletion replaced = second;
    replaced.requestedAt = at("2026-12-05T09:00:00Z");
    ASSERT_TRUE(parkPendingCompletion(replaced, container.path()));
    std::filesystem::remove(firstFile);
    EXPECT_EQ(loadPendingCompletions(container.path(), &decoded), (std::vector{replaced}));
}

// The file system gives a removed file's number to the next new one, within
// the same tick of its clock: the name tells them apart. A file no read has
// seen since is forgotten.
TEST(DecodedRecords, TellsFilesApartByNameAndForgetsThoseGone) {
    DecodedRecords decoded;
    struct stat status {};
    status.st_dev = 1;
    status.st_ino = 42;
    status.st_size = 130;
    status.st_mtim = {100, 5};
    const PendingCompletion record{Uuid::random(), Uuid::random(), at("2026-12-05T10:00:00Z")};
    decoded.forgetUnseen(decoded.beginRead());
    decoded.remember("A.json", status, record);
    EXPECT_EQ(decoded.find("A.json", status), std::optional(std::optional(record)));
    EXPECT_FALSE(decoded.find("B.json", status).has_value());

    decoded.forgetUnseen(decoded.beginRead());
    EXPECT_FALSE(decoded.find("A.json", status).has_value());
}

// A writer killed between writing and renaming leaves its temporary file.
// Once it is clearly abandoned, parking or loading removes it; a young one
// may belong to a writer at work and stays.
TEST_F(PendingQueue, RemovesAbandonedTemporaryFilesButNotYoungOnes) {
    for (const bool parking : {false, true}) {
        SCOPED_TRACE(parking ? "parking" : "loading");
        std::filesystem::create_directories(queue());
        const std::string abandoned =
            ".0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90.json.5f3a09c2e17b4d68.partial";
        const std::string young = ".5C1F0B7E-2A94-4E8D-B3C6-9D07A1E4F258.json.partial";
        const std::string oldNeighbour = "notes.partial";
        for (const auto& name : {abandoned, young, oldNeighbour}) {
            writeFile(queue() / name, "{");
        }
        const auto setBack = [&](const std::string& name, std::chrono::seconds age) {
            const timespec modified{.tv_sec = ::time(nullptr) - age.count()};
            const timespec times[2] = {modified, modified};
            ASSERT_EQ(::utimensat(AT_FDCWD, (queue() / name).c_str(), times, 0), 0);
        };
        setBack(abandoned, std::chrono::minutes{61});
        setBack(young, std::chrono::minutes{59});
        setBack(oldNeighbour, std::chrono::hours{2});
        if (parking) {
            park("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90", "2026-12-05T10:00:00Z");
        } else {
            EXPECT_TRUE(loadPendingCompletions(container.path()).empty());
        }
        const auto left = names(queue());
        EXPECT_FALSE(left.contains(abandoned));
        EXPECT_TRUE(left.contains(young));
        EXPECT_TRUE(left.contains(oldNeighbour));
        std::filesystem::remove_all(queue());
    }
}

TEST_F(PendingQueue, ReportsWhatItCannotParkAndLeavesNoFile) {
    PendingCompletion unwritable{Uuid::random(), Uuid::random(),
                                 Instant{} + std::chrono::years{9000}};
    auto parked = parkPendingCompletion(unwritable, container.path());
    ASSERT_FALSE(parked.has_value());
    EXPECT_EQ(parked.error().message, "requestedAt: instant lies outside the years 0000 to 9999");
    EXPECT_TRUE(names(queue()).empty());

    std::filesystem::remove(queue());
    writeFile(queue(), "a file where the queue belongs");
    parked = parkPendingCompletion({Uuid::random(), Uuid::random(), Instant{}}, container.path());
    ASSERT_FALSE(parked.has_value());
    EXPECT_EQ(parked.error().message,
              fmt::format("cannot use queue directory {}: not a directory of the container (a "
                          "file or a symbolic link is in its place)",
                          queue().string()));
    EXPECT_TRUE(loadPendingCompletions(container.path()).empty());
}

// A symbolic link in the queue's place is not followed, wherever it leads:
// no tick is written there, none is read from there, and the sweep of
// abandoned temporary files leaves the files there alone.
TEST_F(PendingQueue, NeverFollowsALinkInTheQueuesPlace) {
    TemporaryDirectory elsewhere;
    const PendingCompletion outside{Uuid::random(), Uuid::random(), at("2026-12-05T10:00:00Z")};
    writeFile(elsewhere.path() / "outside.json", *encodePendingCompletion(outside));
    const std::string stale = ".notes.partial";
    writeFile(elsewhere.path() / stale, "theirs");
    const timespec old{.tv_sec = ::time(nullptr) - 7200};
    const timespec times[2] = {old, old};
    ASSERT_EQ(::utimensat(AT_FDCWD, (elsewhere.path() / stale).c_str(), times, 0), 0);
    std::filesystem::remove(queue());
    std::filesystem::create_directory_symlink(elsewhere.path(), queue());

    const auto parked =
        parkPendingCompletion({Uuid::random(), Uuid::random(), Instant{}}, container.path());
    ASSERT_FALSE(parked.has_value());
    EXPECT_TRUE(parked.error().message.starts_with("cannot use queue directory"));
    EXPECT_TRUE(loadPendingCompletions(container.path()).empty());
    EXPECT_EQ(names(elsewhere.path()), (std::set<std::string>{"outside.json", stale}));
}

// A host started without standard input gets descriptor 0 for the first
// file it opens; that is a file like any other.
TEST_F(PendingQueue, ParksAndLoadsWithStandardInputClosed) {
    writeFile(container.path() / "note.txt", "plain");
    const int savedInput = ::dup(0);
    ::close(0);
    park("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90", "2026-12-05T10:00:01Z");
    const auto loaded = loadPendingCompletions(container.path());
    const auto read = readRegularFile(AT_FDCWD, (container.path() / "note.txt").c_str(), 16);
    ::dup2(savedInput, 0);
    ::close(savedInput);
    EXPECT_EQ(loaded.size(), 1U);
    ASSERT_TRUE(read.has_value()) << read.error().message;
    EXPECT_EQ(std::string_view(*read), "plain");
}

TEST_F(PendingQueue, ConcurrentTicksAreNeitherTornNorLost) {
    constexpr int writers = 4;
    constexpr int ticksPerWriter = 40;
    std::atomic<bool> writing{true};
    std::vector<PendingCompletion> seenWhileWriting;
    std::thread reader([&] {
        do {
            auto loaded = loadPendingCompletions(container.path());
            seenWhileWriting.insert(seenWhileWriting.end(), loaded.begin(), loaded.end());
        } while (writing);
    });
    {
        std::vector<std::jthread> threads;
        for (int w = 0; w < writers; ++w) {
            threads.emplace_back([&] {
                for (int i = 0; i < ticksPerWriter; ++i) {
                    EXPECT_TRUE(parkPendingCompletion(
                        {Uuid::random(), Uuid::random(), at("2026-12-05T10:00:00Z")},
                        container.path()));
                }
            });
        }
    }
    writing = false;
    reader.join();

    const auto all = loadPendingCompletions(container.path());
    EXPECT_EQ(all.size(), static_cast<std::size_t>(writers * ticksPerWriter));
    EXPECT_EQ(names(queue()).size(), all.size()) << "no temporary file may stay behind";
    // Every record read mid-write is one that was parked whole.
    for (const auto& record : seenWhileWriting) {
        EXPECT_NE(std::ranges::find(all, record), all.end()) << record;
    }
}

} // namespace
} // namespace tandry
