#include "tests/bridges/TaskwarriorHome.h"

#include <thread>

namespace tandry {
namespace {

using testing::TaskwarriorHome;

class BridgeDaemon : public TaskwarriorHome {};

// Changes made in a terminal, and a tick on the card, reach the card while
// the bridge keeps running.
TEST_F(BridgeDaemon, FollowsTaskwarriorAndTheQueue) {
    const std::string first = add({"Pay rent"});
    testing::Subprocess daemon({TANDRY_BRIDGE_BINARY, "taskwarrior"},
                               {.environment = environment(), .log = home.path() / "bridge.log"});
    ASSERT_TRUE(eventually([&](const Json& snapshot) { return lists(snapshot, first); }));

    // 1. `task add` in a terminal.
    const std::string added = add({"Call mum", "priority:H"});
    EXPECT_TRUE(eventually([&](const Json& snapshot) { return lists(snapshot, added); }));

    // 2. `task done` in a terminal.
    task({"description:Call", "done"});
    EXPECT_TRUE(eventually([&](const Json& snapshot) { return !lists(snapshot, added); }));

    // 3. A tick on the card: completed in Taskwarrior, the record consumed.
    tick(first);
    EXPECT_TRUE(eventually([&](const Json&) { return parkedRecords() == 0; }));
    EXPECT_EQ(exported(first).at("status"), "completed");
    EXPECT_TRUE(card().value("emptyReason", "") == "allDone") << card();

    EXPECT_EQ(daemon.stop(), 0);
}

// A Taskwarrior that fails does not end the bridge: once it works again the
// card follows.
TEST_F(BridgeDaemon, OutlivesAFailingTaskwarrior) {
    testing::writeFile(rcFile(), "include /nonexistent/taskrc\n");
    testing::Subprocess daemon({TANDRY_BRIDGE_BINARY, "taskwarrior"},
                               {.environment = environment(), .log = home.path() / "bridge.log"});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    testing::writeFile(rcFile(), "\n");
    const std::string added = add({"Pay rent"});
    EXPECT_TRUE(eventually([&](const Json& snapshot) { return lists(snapshot, added); }));
    EXPECT_EQ(daemon.stop(), 0);
}

} // namespace
} // namespace tandry
