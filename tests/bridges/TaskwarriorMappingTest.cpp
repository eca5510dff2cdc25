#include "tests/bridges/TaskwarriorHome.h"

#include <algorithm>

namespace tandry {
namespace {

using testing::TaskwarriorHome;

// Taskwarrior's date text as the card writes it: 20261207T235959Z to
// 2026-12-07T23:59:59Z.
std::string cardDate(const std::string& taskwarrior) {
    return taskwarrior.substr(0, 4) + "-" + taskwarrior.substr(4, 2) + "-" +
           taskwarrior.substr(6, 2) + "T" + taskwarrior.substr(9, 2) + ":" +
           taskwarrior.substr(11, 2) + ":" + taskwarrior.substr(13, 2) + "Z";
}

class TaskwarriorMapping : public TaskwarriorHome {};

// One row a task: how it is made, and how the card shows it (or not).
struct TaskCase {
    std::vector<std::string> add;
    // Then, by number: "done", "delete", or nothing.
    std::string then;
    bool listed = false;
    std::string flowName;
    std::string priorityRaw;
    bool isOverdue = false;
    bool isToday = false;
};

TEST_F(TaskwarriorMapping, ShowsTheReadyTasksAsTheCardNeedsThem) {
    const std::vector<TaskCase> cases = {
        {{"Pay rent", "project:Home", "priority:H", "due:yesterday"},
         "",
         true,
         "Home",
         "high",
         true,
         false},
        {{"Call mum", "priority:M", "due:eod"}, "", true, "", "medium", false, true},
        {{"Water plants", "priority:L", "due:sod"}, "", true, "", "low", true, true},
        {{"Read a book", "project:Leisure.Books", "due:2099-01-01"},
         "",
         true,
         "Leisure.Books",
         "none",
         false,
         false},
        {{"Sort the mail"}, "", true, "", "none", false, false},
        {{"Renew passport", "until:2096-01-01"}, "", true, "", "none", false, false},
        {{"Weekly review", "due:2099-06-01", "recur:weekly"}, "", true, "", "none", false, false},
        {{"Later", "wait:2098-01-01"}, "", false},
        {{"Next year", "scheduled:2097-01-01"}, "", false},
        {{"Expired", "until:yesterday"}, "", false},
        {{"Finished", "priority:H"}, "done", false},
        {{"Dropped", "priority:H"}, "delete", false},
    };
    std::vector<std::string> uuids;
    for (const TaskCase& row : cases) {
        uuids.push_back(add(row.add));
        if (!row.then.empty()) {
            std::string lower = uuids.back();
            std::ranges::transform(lower, lower.begin(), ::tolower);
            task({lower, row.then});
        }
    }
    // Blocked by the first task, which is open.
    std::string blocker = uuids.front();
    std::ranges::transform(blocker, blocker.begin(), ::tolower);
    const std::string blocked = add({"After the rent", "depends:" + blocker});

    const auto published = bridge({"--once", "--limit", "5", "--palette", "green"});
    ASSERT_EQ(published.exitStatus, 0) << published.standardError;
    const Json snapshot = card();
    ASSERT_TRUE(snapshot.is_object()) << snapshot;

    // Each task as the card shows it.
    const auto listed = listedIds(snapshot);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].add.front());
        const Json& items = snapshot.at("tasks");
        const auto found = std::ranges::find(
            items, uuids[i], [](const Json& item) { return item.at("id").get<std::string>(); });
        const bool shown = found != items.end();
        if (!cases[i].listed) {
            EXPECT_FALSE(shown);
            continue;
        }
        if (!shown) {
            continue; // past the limit; the order check below covers it
        }
        const Json exportedTask = exported(uuids[i]);
        EXPECT_EQ(found->at("title"), cases[i].add.front());
        EXPECT_EQ(found->at("flowName"), cases[i].flowName);
        EXPECT_EQ(found->at("priorityRaw"), cases[i].priorityRaw);
        EXPECT_EQ(found->at("isOverdue"), cases[i].isOverdue);
        EXPECT_EQ(found->at("isToday"), cases[i].isToday);
        if (exportedTask.contains("due")) {
            EXPECT_EQ(found->at("dueDate"), cardDate(exportedTask.at("due")));
        } else {
            EXPECT_FALSE(found->contains("dueDate"));
        }
    }
    EXPECT_EQ(std::ranges::count(listed, blocked), 0);

    // The recurring task is listed by its pending instance, not its template.
    const Json instances = Json::parse(task({"status:pending", "description:Weekly", "export"}));
    ASSERT_EQ(instances.size(), 1u);

    // Taskwarrior's own +READY tasks, highest urgency first: the first five
    // listed, all counted.
    Json ready = Json::parse(task({"+READY", "export"}));
    std::stable_sort(ready.begin(), ready.end(), [](const Json& left, const Json& right) {
        return left.at("urgency").get<double>() > right.at("urgency").get<double>();
    });
    std::vector<std::string> expected;
    for (const Json& one : ready) {
        std::string uuid = one.at("uuid");
        std::ranges::transform(uuid, uuid.begin(), ::toupper);
        expected.push_back(uuid);
    }
    EXPECT_EQ(snapshot.at("total"), expected.size());
    EXPECT_EQ(snapshot.at("total"), 7);
    expected.resize(5);
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(snapshot.at("paletteRaw"), "green");
    EXPECT_FALSE(snapshot.contains("emptyReason"));

    // Valid until the listed task due at the end of today turns overdue,
    // which comes before midnight.
    EXPECT_EQ(snapshot.at("validUntil"), cardDate(exported(uuids[1]).at("due")));
}

TEST_F(TaskwarriorMapping, ListsOnlyTasksThatMatchTheFilter) {
    const std::string home = add({"Pay rent", "project:Home"});
    add({"Write report", "project:Work"});
    // Blocked by a task outside the filter.
    add({"Fix the roof", "project:Home", "depends:2"});
    const auto published = bridge({"--once", "--filter", "project:Home or +urgent"});
    ASSERT_EQ(published.exitStatus, 0) << published.standardError;
    const Json snapshot = card();
    EXPECT_EQ(listedIds(snapshot), std::vector<std::string>{home});
    EXPECT_EQ(snapshot.at("total"), 1);
}

// When nothing is ready, the card says why; validUntil is the first instant
// at which a deferred task comes back.
TEST_F(TaskwarriorMapping, SaysWhyNothingIsReady) {
    struct Case {
        const char* name;
        std::vector<std::vector<std::string>> tasks;
        std::string emptyReason;
    };
    const std::vector<Case> cases = {
        {"no tasks", {}, "noTasks"},
        {"only finished", {{"add", "Done already"}, {"1", "done"}}, "allDone"},
        {"deferred past today", {{"add", "Later", "scheduled:now+7d"}, {"add", "Then", "depends:1"}},
         "allDeferred"},
        {"only deferred",
         {{"add", "Tonight", "wait:eod"},
          {"add", "Blocked", "depends:1"},
          {"add", "Finished"},
          {"3", "done"}},
         "allDeferred"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(home.path() / "task");
        std::filesystem::create_directories(home.path() / "task");
        for (const auto& words : row.tasks) {
            task(words);
        }
        const auto published = bridge({"--once"});
        ASSERT_EQ(published.exitStatus, 0) << published.standardError;
        const Json snapshot = card();
        EXPECT_EQ(snapshot.at("total"), 0);
        EXPECT_TRUE(snapshot.at("tasks").empty());
        EXPECT_EQ(snapshot.value("emptyReason", ""), row.emptyReason);
    }
    // The last case waits for the end of today.
    const Json waiting = Json::parse(task({"description:Tonight", "export"}));
    EXPECT_EQ(card().at("validUntil"), cardDate(waiting.at(0).at("wait")));
}

} // namespace
} // namespace tandry
