#include "bridges/taskwarrior/TaskwarriorStore.h"
#include "tests/bridges/TaskwarriorHome.h"
#include "widget/store/PendingQueue.h"
#include "widget/store/SnapshotCodec.h"
#include "widget/timeline/Clock.h"
#include "widget/timeline/SnapshotLoader.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

namespace tandry {
namespace {

using testing::TaskwarriorHome;

class TaskwarriorTicks : public TaskwarriorHome {
protected:
    void SetUp() override {
        // The container exists once the bridge has run.
        const auto first = bridge({"--once"});
        ASSERT_EQ(first.exitStatus, 0) << first.standardError;
    }

    // A hook that holds Taskwarrior's lock for `seconds` on every modification.
    void slowModifications(const std::string& seconds) const {
        const auto hook = home.path() / "hooks/on-modify.slow";
        testing::writeFile(hook, "#!/bin/sh\nread original\nread modified\nsleep " + seconds +
                                     "\necho \"$modified\"\n");
        std::filesystem::permissions(hook, std::filesystem::perms::owner_all);
    }

    // Holds Taskwarrior's lock for `seconds` from a Python program, which
    // is holding it when this returns.
    std::unique_ptr<testing::Subprocess> holdLock(const std::string& seconds) const {
        const auto held = home.path() / "lock-held";
        auto holder = std::make_unique<testing::Subprocess>(std::vector<std::string>{
            "python3", "-c",
            "import fcntl, time\nf = open('" + (home.path() / "task/pending.data").string() +
                "', 'r+')\nfcntl.lockf(f, fcntl.LOCK_EX)\nopen('" + held.string() +
                "', 'w').close()\ntime.sleep(" + seconds + ")\n"});
        while (!std::filesystem::exists(held)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::filesystem::remove(held);
        return holder;
    }

    // What the widget would show now: the published snapshot with the parked
    // ticks hidden, as the widget loads it.
    // What the widget's own load shows now.
    std::optional<ReadySnapshot> widgetView() const {
        const ReadyWidgetEntry entry = loadEntry(SystemClock().now(), container());
        if (const ReadySnapshot* snapshot = entry.state.snapshot()) {
            return *snapshot;
        }
        return std::nullopt;
    }
};

TEST_F(TaskwarriorTicks, TickCompletesTheTaskAndItNeverComesBack) {
    const std::string uuid = add({"Pay rent", "priority:H"});
    const std::string other = add({"Sort the mail"});
    ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
    ASSERT_EQ(listedIds(card()).size(), 2u);
    tick(uuid);
    ASSERT_EQ(parkedRecords(), 1u);

    // Watch what the widget would show while the bridge applies the tick
    // (slowed by a hook), publishes and removes the record.
    slowModifications("0.3");
    const auto parsedUuid = parseUuidText(uuid);
    ASSERT_TRUE(parsedUuid);
    std::atomic<bool> running = true;
    std::atomic<int> looks = 0;
    std::atomic<int> reappeared = 0;
    std::thread watcher([&] {
        while (running) {
            if (const auto shown = widgetView()) {
                ++looks;
                reappeared +=
                    std::ranges::count(shown->tasks, *parsedUuid, &ReadySnapshot::Item::id);
            }
        }
    });
    const auto result = bridge({"--once"});
    running = false;
    watcher.join();

    ASSERT_EQ(result.exitStatus, 0) << result.standardError;
    EXPECT_GT(looks, 10);
    EXPECT_EQ(reappeared, 0);
    EXPECT_EQ(exported(uuid).at("status"), "completed");
    EXPECT_EQ(exported(other).at("status"), "pending");
    EXPECT_EQ(parkedRecords(), 0u);
    EXPECT_EQ(listedIds(card()), std::vector<std::string>{other});
}

TEST_F(TaskwarriorTicks, TickOfARecurringTaskCompletesThatInstance) {
    add({"Weekly review", "due:yesterday", "recur:weekly"});
    const Json instance = Json::parse(task({"status:pending", "export"})).at(0);
    std::string uuid = instance.at("uuid");
    std::ranges::transform(uuid, uuid.begin(), ::toupper);
    tick(uuid);
    ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
    EXPECT_EQ(exported(uuid).at("status"), "completed");
    EXPECT_EQ(exported(instance.at("parent")).at("status"), "recurring");
}

// A tick the bridge cannot act on yet stays parked; one it can never act on
// is consumed.
TEST_F(TaskwarriorTicks, KeepsOrConsumesTicksByWhatTaskwarriorSays) {
    struct Case {
        const char* name;
        std::function<std::string()> ticked;
        testing::EnvironmentChanges environment;
        int exitStatus;
        std::string message;
        std::size_t recordsLeft;
    };
    const std::vector<Case> cases = {
        {"no task command",
         [&] { return add({"Any"}); },
         {{"PATH", "/nonexistent"}},
         1,
         "tandry-widget-bridge: cannot run task: ",
         1},
        {"broken TASKRC",
         [&] { return add({"Any"}); },
         {{"TASKRC", (home.path() / "broken-rc").string()}},
         1,
         "tandry-widget-bridge: task failed (exit status ",
         1},
        {"unknown task",
         [] { return std::string("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90"); },
         {},
         0,
         "",
         0},
        {"already completed",
         [&] {
             const std::string uuid = add({"Done elsewhere"});
             task({"+LATEST", "done"});
             return uuid;
         },
         {},
         0,
         "",
         0},
        {"deleted",
         [&] {
             const std::string uuid = add({"Dropped"});
             task({"+LATEST", "delete"});
             return uuid;
         },
         {},
         0,
         "",
         0},
    };
    testing::writeFile(home.path() / "broken-rc", "include /nonexistent/taskrc\n");
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(queue());
        std::filesystem::create_directories(queue());
        const std::string uuid = row.ticked();
        const auto before = exported(uuid);
        tick(uuid);
        const auto result = bridge({"--once"}, row.environment);
        EXPECT_EQ(result.exitStatus, row.exitStatus) << result.standardError;
        if (!row.message.empty()) {
            EXPECT_TRUE(result.standardError.starts_with(row.message)) << result.standardError;
            EXPECT_EQ(std::ranges::count(result.standardError, '\n'), 1) << result.standardError;
        }
        EXPECT_EQ(parkedRecords(), row.recordsLeft);
        // A finished task is left as it was.
        if (before.is_object() && before.at("status") != "pending") {
            EXPECT_EQ(exported(uuid), before);
        }
    }
}

// Taskwarrior takes a POSIX lock on pending.data while it writes; another
// `task` in the middle of a write holds it.
TEST_F(TaskwarriorTicks, WaitsForTheLockOfAnotherTask) {
    const std::string ticked = add({"Pay rent"});
    tick(ticked);
    const auto holder = holdLock("1");

    const auto result = bridge({"--once"});
    ASSERT_EQ(result.exitStatus, 0) << result.standardError;
    EXPECT_EQ(holder->wait().exitStatus, 0);
    EXPECT_EQ(exported(ticked).at("status"), "completed");
    EXPECT_EQ(parkedRecords(), 0u);
}

TEST_F(TaskwarriorTicks, StopsATaskThatWaitsTooLong) {
    const std::string ticked = add({"Pay rent"});
    const auto holder = holdLock("2");

    TaskCommand command(Environment::ofProcess()
                            .with("TASKDATA", environment().at("TASKDATA").value())
                            .with("TASKRC", rcFile().string()),
                        std::chrono::milliseconds(300));
    TaskwarriorStore store(command, std::nullopt, {});
    const auto outcome = store.complete(*parseUuidText(ticked));
    ASSERT_FALSE(outcome) << *outcome;
    EXPECT_EQ(outcome.error().message,
              "task did not finish within 0.3 s (is another task holding its lock?)");
    const auto held = holder->wait();
    EXPECT_EQ(held.exitStatus, 0) << held.standardError;
    EXPECT_EQ(exported(ticked).at("status"), "pending");
}

TEST_F(TaskwarriorTicks, LeavesAnUndecodableRecordAlone) {
    testing::writeFile(queue() / "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90.json", "{\"id\":");
    const std::string uuid = add({"Pay rent"});
    tick(uuid);
    ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
    EXPECT_EQ(exported(uuid).at("status"), "completed");
    EXPECT_EQ(parkedRecords(), 1u);
}

TEST_F(TaskwarriorTicks, RefusesAWrongCommandLine) {
    for (const auto& words : std::vector<std::vector<std::string>>{
             {"--limit", "-1"}, {"--limit", "many"}, {"--palette", ""}, {"--frobnicate"}}) {
        SCOPED_TRACE(words.front());
        const auto result = bridge(words);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_TRUE(result.standardError.starts_with("tandry-widget-bridge: "))
            << result.standardError;
    }
}

} // namespace
} // namespace tandry
