#include "tests/bridges/EdsHome.h"

namespace tandry {
namespace {

using testing::EdsHome;

class EdsDaemon : public EdsHome {};

// Changes made in a task application, a tick on the card and a list that
// goes away reach the card while the bridge keeps running.
TEST_F(EdsDaemon, FollowsTheTaskListsAndTheQueue) {
    const std::string errands = createList("Errands");
    const std::string work = createList("Work");
    addTask(errands, "UID:rent\r\nSUMMARY:Pay rent");
    addTask(work, "UID:report\r\nSUMMARY:Write report");
    testing::Subprocess daemon({TANDRY_BRIDGE_BINARY, "eds"},
                               {.environment = environment(), .log = home.path() / "bridge.log"});
    ASSERT_TRUE(
        eventually([&](const Json& snapshot) { return lists(snapshot, idOf("Pay rent")); }));

    // 1. A task added, then completed, in another application.
    addTask(errands, "UID:mum\r\nSUMMARY:Call mum\r\nPRIORITY:1");
    EXPECT_TRUE(eventually([&](const Json&) { return !idOf("Call mum").empty(); }));
    removeTask(errands, "mum");
    EXPECT_TRUE(eventually([&](const Json&) { return idOf("Call mum").empty(); }));

    // 2. A tick on the card: completed in the list, the record consumed.
    const std::string rent = idOf("Pay rent");
    ASSERT_FALSE(rent.empty());
    tick(rent);
    EXPECT_TRUE(eventually([&](const Json&) { return parkedRecords() == 0; }));
    EXPECT_NE(component(errands, "rent").find("STATUS:COMPLETED"), std::string::npos);

    // 3. A list removed while the bridge runs takes its tasks off the card.
    ASSERT_FALSE(idOf("Write report").empty());
    removeList(work);
    EXPECT_TRUE(eventually([&](const Json& snapshot) {
        return snapshot.is_object() && snapshot.value("emptyReason", "") == "allDone";
    })) << card();

    EXPECT_EQ(daemon.stop(), 0);
}

} // namespace
} // namespace tandry
