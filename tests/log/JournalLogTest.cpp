#include "platform/log/JournalLog.h"

#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <vector>

namespace tandry {
namespace {

// No journal listens on a socket path that does not exist, so entries go to
// the fallback stream; percent signs are shown, never formatted.
TEST(JournalLog, WithoutAJournalWritesWholeLinesFromEveryThread) {
    testing::TemporaryDirectory directory;
    std::ostringstream fallback;
    JournalLog log{"app.tandry.taskmanager", "widget", fallback,
                   directory.path() / "no-journal-socket"};
    const std::string message = "cannot create /tmp/%s%n%d.json" + std::string(100, 'x');
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&] {
                for (int i = 0; i < 50; ++i) {
                    log.error(message);
                }
            });
        }
    }
    std::istringstream lines(fallback.str());
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        ASSERT_EQ(line, "tandry-widget[app.tandry.taskmanager:widget] error: " + message);
    }
    EXPECT_EQ(count, 200);
}

} // namespace
} // namespace tandry
