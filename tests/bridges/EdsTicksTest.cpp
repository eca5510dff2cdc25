#include "tests/bridges/EdsHome.h"

#include <regex>
#include <thread>

namespace tandry {
namespace {

using namespace std::chrono_literals;
using testing::EdsHome;

class EdsTicks : public EdsHome {
protected:
    void SetUp() override {
        // The container exists once the bridge has run.
        const auto first = bridge({"--once"});
        ASSERT_EQ(first.exitStatus, 0) << first.standardError;
    }

    // The value of the property `name` in a component's text.
    static std::string property(const std::string& component, const std::string& name) {
        std::smatch match;
        const std::regex line("(?:^|\n)" + name + "[:;]([^\r\n]*)");
        return std::regex_search(component, match, line) ? match[1].str() : std::string();
    }
};

TEST_F(EdsTicks, TickCompletesTheComponentAndItLeavesTheCard) {
    const std::string list = createList("Errands");
    addTask(list, "UID:pay-rent@example.org\r\nSUMMARY:Pay rent\r\nPRIORITY:1");
    addTask(list, "UID:mail\r\nSUMMARY:Sort the mail");
    ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
    const std::string ticked = idOf("Pay rent");
    ASSERT_FALSE(ticked.empty());
    tick(ticked);

    const auto result = bridge({"--once"});
    ASSERT_EQ(result.exitStatus, 0) << result.standardError;
    const std::string completed = component(list, "pay-rent@example.org");
    EXPECT_EQ(property(completed, "STATUS"), "COMPLETED") << completed;
    EXPECT_EQ(property(completed, "PERCENT-COMPLETE"), "100") << completed;
    EXPECT_FALSE(property(completed, "COMPLETED").empty()) << completed;
    EXPECT_EQ(property(component(list, "mail"), "STATUS"), "");
    EXPECT_EQ(parkedRecords(), 0u);
    EXPECT_EQ(listedIds(card()), Words{idOf("Sort the mail")});
    EXPECT_EQ(card().at("total"), 1);
}

// The data server moves a recurring task to its next occurrence; the card
// shows it again once that starts.
TEST_F(EdsTicks, TickOfARecurringTaskMovesItOnToItsNextOccurrence) {
    // The next occurrence starts 20 s after the test: time for the passes
    // below on a loaded machine, before the snapshot they check expires.
    const std::string list = createList("Chores");
    addTask(list, "UID:stretch\r\nSUMMARY:Stretch\r\nRRULE:FREQ=MINUTELY\r\nDTSTART:" +
                      utcText(-40s) + "\r\nDUE:" + utcText(-30s));
    ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
    const std::string id = idOf("Stretch");
    ASSERT_FALSE(id.empty());
    tick(id);

    ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
    const std::string next = component(list, "stretch");
    EXPECT_EQ(property(next, "STATUS"), "") << next;
    EXPECT_EQ(property(next, "DTSTART"), utcText(20s)) << next;
    Json snapshot = card();
    ASSERT_TRUE(snapshot.is_object()) << "the card expired before it was read";
    EXPECT_TRUE(snapshot.at("tasks").empty()) << snapshot;
    EXPECT_EQ(snapshot.value("emptyReason", ""), "allDeferred");
    EXPECT_EQ(snapshot.at("validUntil"), cardText(20s));
    EXPECT_EQ(parkedRecords(), 0u);

    // Once it starts, a pass lists it again under the same id.
    bool listed = false;
    for (int pass = 0; pass < 40 && !listed; ++pass) {
        std::this_thread::sleep_for(1s);
        ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
        listed = listedIds(card()) == Words{id};
    }
    EXPECT_TRUE(listed);
}

// A tick the bridge cannot act on yet stays parked, and the next try with
// the data server there completes it.
TEST_F(EdsTicks, KeepsTheTickWhileTheDataServerCannotBeReached) {
    const std::string list = createList("Errands");
    const std::string busWithoutServices =
        TANDRY_SOURCE_DIR "/tests/bridges/bus-without-services.conf";
    struct Case {
        const char* name;
        // The bridge runs on another bus, or at an address where none is.
        Words wrapper;
        std::optional<std::string> busAddress;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"not running", {}, "unix:path=/nonexistent/bus", "cannot reach Evolution Data Server: "},
        {"not activatable",
         {"dbus-run-session", "--config-file=" + busWithoutServices, "--"},
         std::nullopt,
         "cannot reach Evolution Data Server: nothing on the session bus provides "
         "org.gnome.evolution.dataserver.Sources5 (is evolution-data-server installed?)"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        addTask(list, std::string("UID:") + row.name + "\r\nSUMMARY:" + row.name);
        ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
        tick(idOf(row.name));

        Words command = row.wrapper;
        command.insert(command.end(), {TANDRY_BRIDGE_BINARY, "eds", "--once"});
        testing::EnvironmentChanges environment = this->environment();
        if (row.busAddress) {
            environment["DBUS_SESSION_BUS_ADDRESS"] = *row.busAddress;
        }
        const auto result = testing::runCommand(command, environment);
        EXPECT_EQ(result.exitStatus, 1);
        // A line of its own, whatever the bus prints beside it.
        EXPECT_NE(("\n" + result.standardError).find("\ntandry-widget-bridge: " + row.message),
                  std::string::npos)
            << result.standardError;
        EXPECT_EQ(parkedRecords(), 1u);

        ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
        EXPECT_EQ(parkedRecords(), 0u);
        EXPECT_EQ(property(component(list, row.name), "STATUS"), "COMPLETED");
    }
}

// A tick that asks for nothing more is consumed and leaves the list alone.
TEST_F(EdsTicks, ConsumesTicksOfFinishedGoneAndUnknownTasks) {
    const std::string list = createList("Errands");
    addTask(list, "UID:c3e0e3d2-9a51-4f0c-8c6e-5d0a3b7f9c03\r\nSUMMARY:Done elsewhere\r\n"
                  "STATUS:COMPLETED\r\nCOMPLETED:20261201T100000Z");
    addTask(list, "UID:d4e0e3d2-9a51-4f0c-8c6e-5d0a3b7f9c04\r\nSUMMARY:Deleted elsewhere");
    removeTask(list, "d4e0e3d2-9a51-4f0c-8c6e-5d0a3b7f9c04");
    const std::string finished = component(list, "c3e0e3d2-9a51-4f0c-8c6e-5d0a3b7f9c03");
    for (const char* id :
         {"C3E0E3D2-9A51-4F0C-8C6E-5D0A3B7F9C03", "D4E0E3D2-9A51-4F0C-8C6E-5D0A3B7F9C04",
          "E5E0E3D2-9A51-4F0C-8C6E-5D0A3B7F9C05"}) {
        tick(id);
    }
    const auto result = bridge({"--once"});
    EXPECT_EQ(result.exitStatus, 0) << result.standardError;
    EXPECT_EQ(parkedRecords(), 0u);
    EXPECT_EQ(component(list, "c3e0e3d2-9a51-4f0c-8c6e-5d0a3b7f9c03"), finished);
    EXPECT_EQ(card().value("emptyReason", ""), "allDone");
}

} // namespace
} // namespace tandry
