#include "tests/bridges/EdsHome.h"

namespace tandry {
namespace {

using testing::EdsHome;

class EdsDaemon : public EdsHome {
protected:
    static bool listsTitle(const Json& snapshot, const std::string& title) {
        return snapshot.is_object() &&
               std::ranges::count_if(snapshot.at("tasks"), [&](const Json& item) {
                   return item.at("title") == title;
               }) == 1;
    }
};

// Changes made in a task application, a tick on the card and a list that
// goes away reach the card while the bridge keeps running.
TEST_F(EdsDaemon, FollowsTheTaskListsAndTheQueue) {
    const std::string errands = createList("Errands");
    const std::string work = createList("Work");
    addTask(errands, "UID:rent\r\nSUMMARY:Pay rent");
    addTask(work, "UID:report\r\nSUMMARY:Write report");
    testing::Subprocess daemon({TANDRY_BRIDGE_BINARY, "eds"},
                               {.environment = environment(), .log = home.path() / "bridge.log"});
    ASSERT_TRUE(eventually([&](const Json& snapshot) { return listsTitle(snapshot, "Pay rent"); }));

    // 1. A task added, then completed, in another application.
    addTask(errands, "UID:mum\r\nSUMMARY:Call mum\r\nPRIORITY:1");
    EXPECT_TRUE(eventually([&](const Json& snapshot) { return listsTitle(snapshot, "Call mum"); }));
    removeTask(errands, "mum");
    EXPECT_TRUE(eventually([&](const Json& snapshot) { return !listsTitle(snapshot, "Call mum"); }));

    // 2. A tick on the card: completed in the list, the record consumed.
    const Json before = card();
    const auto rent = std::ranges::find(before.at("tasks"), "Pay rent", [](const Json& item) {
        return item.at("title").get<std::string>();
    });
    ASSERT_NE(rent, before.at("tasks").end());
    tick(rent->at("id"));
    EXPECT_TRUE(eventually([&](const Json&) { return parkedRecords() == 0; }));
    EXPECT_NE(component(errands, "rent").find("STATUS:COMPLETED"), std::string::npos);

    // 3. A list removed while the bridge runs takes its tasks off the card.
    ASSERT_TRUE(listsTitle(card(), "Write report"));
    removeList(work);
    EXPECT_TRUE(eventually([&](const Json& snapshot) {
        return snapshot.is_object() && snapshot.value("emptyReason", "") == "allDone";
    })) << card();

    EXPECT_EQ(daemon.stop(), 0);
}

} // namespace
} // namespace tandry
