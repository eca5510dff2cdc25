#include "tests/bridges/EdsHome.h"

#include <algorithm>

namespace tandry {
namespace {

using namespace std::chrono_literals;
using testing::EdsHome;

class EdsMapping : public EdsHome {};

// One row a component: its properties, and how the card shows it (or not).
struct TaskCase {
    std::string summary;
    std::string properties;
    bool listed = false;
    std::string priorityRaw;
    bool isOverdue = false;
    bool isToday = false;
    // The card's dueDate; empty for none.
    std::string dueDate;
};

TEST_F(EdsMapping, ShowsTheReadyTasksAsTheCardNeedsThem) {
    const std::string errands = createList("Errands");
    const std::string work = createList("Work");
    // A list not named is not shown; an empty card says there are no tasks.
    addTask(createList("Home"), "UID:roof\r\nSUMMARY:Fix the roof");
    ASSERT_EQ(bridge({"--once", "--list", "Errands"}).exitStatus, 0);
    EXPECT_EQ(card().value("emptyReason", ""), "noTasks");
    const auto unknown = bridge({"--once", "--list", "Errands", "--list", "Garden"});
    EXPECT_EQ(unknown.exitStatus, 1);
    EXPECT_EQ(unknown.standardError,
              "tandry-widget-bridge: no enabled task list is named \"Garden\"\n");
    const std::vector<TaskCase> cases = {
        {"Pay rent", "DUE:" + utcText(-26h) + "\r\nPRIORITY:1", true, "high", true, false,
         cardText(-26h)},
        {"Water plants", "DUE;VALUE=DATE:" + dateText(-1) + "\r\nPRIORITY:9", true, "low", true,
         false, cardText(-24h).substr(0, 11) + "23:59:59Z"},
        {"Call mum", "DUE;VALUE=DATE:" + dateText(0) + "\r\nPRIORITY:5", true, "medium", false,
         true, cardText(0s).substr(0, 11) + "23:59:59Z"},
        {"Renew passport", "DUE;TZID=Europe/Berlin:20990601T120000\r\nPRIORITY:4", true, "high",
         false, false, "2099-06-01T10:00:00Z"},
        {"Book flights", "DUE:20990601T100000Z\r\nPRIORITY:6", true, "low", false, false,
         "2099-06-01T10:00:00Z"},
        {"Sort the mail", "DTSTART:" + utcText(-1h) + "\r\nPRIORITY:0", true, "none"},
        {"Read a book", "", true, "none"},
        {"Next week", "DTSTART:" + utcText(24h * 7), false},
        {"Finished", "STATUS:COMPLETED\r\nCOMPLETED:" + utcText(-1h), false},
        {"Finished elsewhere", "COMPLETED:" + utcText(-1h), false},
        {"Dropped", "STATUS:CANCELLED", false},
    };
    std::vector<std::string> uids;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        uids.push_back("task-" + std::to_string(i));
        addTask(i % 2 == 0 ? errands : work,
                "UID:" + uids.back() + "\r\nSUMMARY:" + cases[i].summary +
                    (cases[i].properties.empty() ? "" : "\r\n") + cases[i].properties);
    }
    // A UUID as UID is the card's id as it is.
    addTask(work, "UID:0d5a2c64-7e1b-4f3a-9c11-2b6e8d4f7a90\r\nSUMMARY:Plan the party\r\n"
                  "DUE:20990601T100000Z\r\nPRIORITY:6");
    // A starting time later today, when it comes before midnight, is when the card changes.
    addTask(errands, "UID:soon\r\nSUMMARY:Soon\r\nDTSTART:" + utcText(1h));

    const auto published =
        bridge({"--once", "--palette", "green", "--list", "Errands", "--list", work});
    ASSERT_EQ(published.exitStatus, 0) << published.standardError;
    const Json snapshot = card();
    ASSERT_TRUE(snapshot.is_object()) << snapshot;
    const Json& items = snapshot.at("tasks");

    // Each component as the card shows it.
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const TaskCase& row = cases[i];
        SCOPED_TRACE(row.summary);
        const auto found = std::ranges::find(items, row.summary, [](const Json& item) {
            return item.at("title").get<std::string>();
        });
        ASSERT_EQ(found != items.end(), row.listed);
        if (!row.listed) {
            continue;
        }
        EXPECT_EQ(found->at("flowName"), i % 2 == 0 ? "Errands" : "Work");
        EXPECT_EQ(found->at("priorityRaw"), row.priorityRaw);
        EXPECT_EQ(found->at("isOverdue"), row.isOverdue);
        EXPECT_EQ(found->at("isToday"), row.isToday);
        EXPECT_EQ(found->value("dueDate", ""), row.dueDate);
        // Not a UUID: a name-based (version 5, RFC 4122 variant) UUID.
        const std::string id = found->at("id");
        EXPECT_EQ(id[14], '5') << id;
        EXPECT_NE(std::string("89AB").find(id[19]), std::string::npos) << id;
    }

    // Overdue first, then by due instant, then by priority, then by summary.
    Words titles;
    for (const Json& item : items) {
        titles.push_back(item.at("title"));
    }
    EXPECT_EQ(titles, (Words{"Pay rent", "Water plants", "Call mum", "Renew passport",
                             "Book flights", "Plan the party", "Read a book", "Sort the mail"}));
    EXPECT_EQ(listedIds(snapshot).at(5), "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90");
    EXPECT_EQ(snapshot.at("total"), 8);
    EXPECT_EQ(snapshot.at("paletteRaw"), "green");
    EXPECT_FALSE(snapshot.contains("emptyReason"));
    const std::string midnight = cardText(24h).substr(0, 11) + "00:00:00Z";
    EXPECT_EQ(snapshot.at("validUntil"), std::min(cardText(1h), midnight));

    // The same ids on the next run; a name-based id names its list too.
    ASSERT_EQ(
        bridge({"--once", "--palette", "green", "--list", "Errands", "--list", work}).exitStatus,
        0);
    EXPECT_EQ(card(), snapshot);
    addTask(work, "UID:task-0\r\nSUMMARY:Pay rent");
    ASSERT_EQ(bridge({"--once", "--limit", "2", "--list", "Errands", "--list", "Work"}).exitStatus,
              0);
    const Words twoIds = listedIds(card());
    ASSERT_EQ(twoIds.size(), 2u);
    EXPECT_EQ(twoIds.front(), listedIds(snapshot).front());
    EXPECT_EQ(card().at("total"), 9);
}

} // namespace
} // namespace tandry
