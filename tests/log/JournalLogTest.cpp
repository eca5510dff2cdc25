#include "platform/log/JournalLog.h"

#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <vector>

namespace tandry {
namespace {

using testing::TemporaryDirectory;

// No journal listens on a socket path that does not exist.
class JournalFallback : public ::testing::Test {
protected:
    TemporaryDirectory directory;
    std::ostringstream fallback;
    JournalLog log{"app.tandry.taskmanager", "widget", fallback,
                   directory.path() / "no-journal-socket"};
};

TEST_F(JournalFallback, WritesOneLineWithSubsystemAndCategory) {
    log.error("Could not park a widget tick: disk full");
    EXPECT_EQ(fallback.str(),
              "tandry-widget[app.tandry.taskmanager:widget] error: Could not park a widget tick: "
              "disk full\n");
}

TEST_F(JournalFallback, ShowsPercentSignsInsteadOfFormattingThem) {
    log.error("cannot create /tmp/%s%n%d.json");
    EXPECT_EQ(
        fallback.str(),
        "tandry-widget[app.tandry.taskmanager:widget] error: cannot create /tmp/%s%n%d.json\n");
}

TEST_F(JournalFallback, EntriesFromManyThreadsStayWholeLines) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 50; ++i) {
                log.error(std::string(100, 'x'));
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    std::istringstream lines(fallback.str());
    const std::string expected =
        "tandry-widget[app.tandry.taskmanager:widget] error: " + std::string(100, 'x');
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        ASSERT_EQ(line, expected);
    }
    EXPECT_EQ(count, 200);
}

} // namespace
} // namespace tandry
