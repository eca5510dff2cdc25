#include "widget/intents/TickReadyTaskIntent.h"

#include "tests/support/RecordingLog.h"
#include "tests/support/RecordingReloadChannel.h"
#include "tests/support/SettableClock.h"
#include "tests/support/TableFile.h"
#include "tests/support/TemporaryDirectory.h"
#include "widget/intents/IntentServices.h"
#include "widget/store/PendingQueue.h"
#include "widget/timeline/WidgetKind.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

constexpr const char* taskText = "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90";
const std::vector<std::string> oneReload = {std::string(readyWidgetKind)};

Instant at(const char* text) {
    return *parseDateText(text);
}

// A private shared container.
class TickIntent : public ::testing::Test {
protected:
    TickIntent() { std::filesystem::create_directories(container()); }

    std::filesystem::path container() const { return data.path() / "group-containers" / "group"; }
    std::filesystem::path queue() const { return container() / pendingQueueDirectoryName; }

    IntentResult perform(std::optional<std::string> text) {
        TickReadyTaskIntent intent;
        intent.taskID.value = std::move(text);
        return intent.perform(IntentServices{clock, log, reloads, container()});
    }

    testing::TemporaryDirectory data;
    testing::SettableClock clock{at("2026-12-05T09:30:00.250Z")};
    testing::RecordingLog log;
    testing::RecordingReloadChannel reloads;
};

// The tick is parked at the clock's time in whole seconds, and the reload is
// asked for only once the record is in place. Task ids in either case are the
// store's UUID reader's concern.
TEST_F(TickIntent, ParksOneTickAndThenReloads) {
    reloads.onRequest = [&](std::string_view) {
        EXPECT_EQ(loadPendingCompletions(container()).size(), 1u);
    };
    EXPECT_EQ(perform(taskText), IntentResult{});
    const auto parked = loadPendingCompletions(container());
    ASSERT_EQ(parked.size(), 1u);
    EXPECT_EQ(parked[0].taskID, *parseUuidText(taskText));
    EXPECT_EQ(parked[0].requestedAt, at("2026-12-05T09:30:00Z"));
    EXPECT_EQ(reloads.kinds, oneReload);
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(TickIntent, IgnoresTextThatIsNoTaskIdWithoutATrace) {
    std::vector<std::optional<std::string>> texts = {std::nullopt, ""};
    for (const testing::TableRow& row :
         testing::readTableFile(TANDRY_SOURCE_DIR "/tests/intents/data/not-task-ids.tsv")) {
        texts.push_back(row.fields.at(0));
    }
    for (const auto& text : texts) {
        SCOPED_TRACE(text.value_or("(no value)"));
        EXPECT_EQ(perform(text), IntentResult{});
    }
    EXPECT_FALSE(std::filesystem::exists(queue()));
    EXPECT_TRUE(log.entries.empty());
    EXPECT_TRUE(reloads.kinds.empty());
}

// Without a shared container (none yet, or none possible) there is nothing
// to park and nothing to log.
TEST_F(TickIntent, WithoutSharedContainerOnlyReloads) {
    std::filesystem::remove_all(container());
    perform(taskText);
    EXPECT_TRUE(std::filesystem::is_empty(data.path() / "group-containers"));
    TickReadyTaskIntent(taskText).perform(IntentServices{clock, log, reloads, std::nullopt});
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(reloads.kinds, (std::vector<std::string>(2, std::string(readyWidgetKind))));
}

// A failed park is logged once, and not even formatted for a log that refuses
// errors; the reload is asked for all the same.
TEST_F(TickIntent, FailedParkIsLoggedOnceAndStillReloads) {
    testing::writeFile(queue(), "not a directory");
    perform(taskText);
    EXPECT_EQ(log.entries,
              std::vector<std::string>{"Could not park a widget tick: cannot use queue directory " +
                                       queue().string() +
                                       ": not a directory of the container (a file or a symbolic "
                                       "link is in its place)"});
    EXPECT_EQ(reloads.kinds, oneReload);

    log.accepting = false;
    perform(taskText);
    EXPECT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(reloads.kinds.size(), 2u);
}

} // namespace
} // namespace tandry
