#include "tests/bridges/EdsHome.h"

#include <regex>
#include <sstream>
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

    // The card's id of the listed task titled `title`; empty when none is.
    std::string idOf(const std::string& title) const {
        const Json snapshot = card();
        for (const Json& item : snapshot.value("tasks", Json::array())) {
            if (item.at("title") == title) {
                return item.at("id");
            }
        }
        return {};
    }

    // The value of the property `name` in a component's text.
    static std::string property(const std::string& component, const std::string& name) {
        std::smatch match;
        const std::regex line("(?:^|\n)" + name + "[:;]([^\r\n]*)");
        return std::regex_search(component, match, line) ? match[1].str() : std::string();
    }

    // "20261207T101500Z" as the card writes it.
    static std::string cardDate(const std::string& value) {
        return value.substr(0, 4) + "-" + value.substr(4, 2) + "-" + value.substr(6, 2) + "T" +
               value.substr(9, 2) + ":" + value.substr(11, 2) + ":" + value.substr(13, 2) + "Z";
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
    const std::string list = createList("Chores");
    addTask(list, "UID:stretch\r\nSUMMARY:Stretch\r\nRRULE:FREQ=MINUTELY\r\nDTSTART:" +
                      utcText(-52s) + "\r\nDUE:" + utcText(-42s));
    ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
    const std::string id = idOf("Stretch");
    ASSERT_FALSE(id.empty());
    tick(id);

    ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
    const std::string next = component(list, "stretch");
    EXPECT_EQ(property(next, "STATUS"), "") << next;
    const std::string start = property(next, "DTSTART");
    EXPECT_EQ(cardDate(start), cardText(8s)) << next;
    Json snapshot = card();
    EXPECT_TRUE(snapshot.at("tasks").empty()) << snapshot;
    EXPECT_EQ(snapshot.value("emptyReason", ""), "allDeferred");
    EXPECT_EQ(snapshot.at("validUntil"), cardDate(start));
    EXPECT_EQ(parkedRecords(), 0u);

    // Once it starts, the next pass lists it again under the same id.
    std::this_thread::sleep_for(9s);
    ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
    EXPECT_EQ(listedIds(card()), Words{id});
}

// A tick the bridge cannot act on yet stays parked; one that asks for
// nothing more is consumed and leaves the list alone.
TEST_F(EdsTicks, KeepsOrConsumesTicksByWhatTheDataServerSays) {
    const std::string list = createList("Errands");
    const auto busWithoutServices = home.path() / "bus.conf";
    testing::writeFile(busWithoutServices, R"(<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>)");
    struct Case {
        const char* name;
        // The task ticked: its UID, and what the list holds of it then.
        std::string uid;
        std::string properties;
        bool removeFirst = false;
        // Runs the bridge: the same bus, or another.
        Words wrapper;
        testing::EnvironmentChanges environment;
        int exitStatus = 0;
        std::string message;
        std::size_t recordsLeft = 0;
    };
    const std::vector<Case> cases = {
        {"data server not running",
         "a1e0e3d2-9a51-4f0c-8c6e-5d0a3b7f9c01",
         "SUMMARY:Any",
         false,
         {},
         {{"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus"}},
         1,
         "tandry-widget-bridge: cannot reach Evolution Data Server: ",
         1},
        {"data server not activatable",
         "b2e0e3d2-9a51-4f0c-8c6e-5d0a3b7f9c02",
         "SUMMARY:Any",
         false,
         {"dbus-run-session", "--config-file=" + busWithoutServices.string(), "--"},
         {},
         1,
         "tandry-widget-bridge: cannot reach Evolution Data Server: nothing on the session bus "
         "provides org.gnome.evolution.dataserver.Sources5 (is evolution-data-server "
         "installed?)",
         1},
        {"already completed", "c3e0e3d2-9a51-4f0c-8c6e-5d0a3b7f9c03",
         "SUMMARY:Done elsewhere\r\nSTATUS:COMPLETED\r\nCOMPLETED:20261201T100000Z"},
        {"gone", "d4e0e3d2-9a51-4f0c-8c6e-5d0a3b7f9c04", "SUMMARY:Deleted elsewhere", true},
        {"never known", "e5e0e3d2-9a51-4f0c-8c6e-5d0a3b7f9c05", ""},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(queue());
        if (!row.properties.empty()) {
            addTask(list, "UID:" + row.uid + "\r\n" + row.properties);
        }
        if (row.removeFirst) {
            removeTask(list, row.uid);
        }
        const std::string before = component(list, row.uid);
        std::string id = row.uid;
        std::ranges::transform(id, id.begin(), ::toupper);
        tick(id);

        Words command = row.wrapper;
        command.insert(command.end(), {TANDRY_BRIDGE_BINARY, "eds", "--once"});
        testing::EnvironmentChanges environment = this->environment();
        for (const auto& [name, value] : row.environment) {
            environment[name] = value;
        }
        const auto result = testing::runCommand(command, environment);
        EXPECT_EQ(result.exitStatus, row.exitStatus) << result.standardError;
        // One line of its own, whatever the bus prints beside it.
        std::vector<std::string> said;
        std::istringstream lines(result.standardError);
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("tandry-widget-bridge: ")) {
                said.push_back(line);
            }
        }
        if (row.message.empty()) {
            EXPECT_TRUE(said.empty()) << result.standardError;
        } else {
            ASSERT_EQ(said.size(), 1u) << result.standardError;
            EXPECT_TRUE(said.front().starts_with(row.message)) << result.standardError;
        }
        EXPECT_EQ(parkedRecords(), row.recordsLeft);
        EXPECT_EQ(component(list, row.uid), before);

        // The next try, with the data server there, completes it.
        if (row.recordsLeft > 0) {
            ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
            EXPECT_EQ(parkedRecords(), 0u);
            EXPECT_EQ(property(component(list, row.uid), "STATUS"), "COMPLETED");
        }
    }
}

TEST_F(EdsTicks, RefusesAWrongCommandLine) {
    for (const auto& words : std::vector<Words>{
             {"--list", ""}, {"--filter", "project:Home"}, {"--limit", "-1"}, {"--list"}}) {
        SCOPED_TRACE(words.front());
        const auto result = bridge(words);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_TRUE(result.standardError.starts_with("tandry-widget-bridge: "))
            << result.standardError;
    }
}

} // namespace
} // namespace tandry
