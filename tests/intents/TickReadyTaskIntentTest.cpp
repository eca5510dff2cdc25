#include "widget/intents/TickReadyTaskIntent.h"

#include "tests/support/FixedClock.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/RecordingReloadChannel.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryDirectory.h"
#include "widget/intents/IntentServices.h"
#include "widget/store/AppGroup.h"
#include "widget/store/PendingQueue.h"
#include "widget/timeline/WidgetKind.h"

#include <barrier>
#include <gtest/gtest.h>
#include <thread>

namespace tandry {
namespace {

using testing::FixedClock;
using testing::RecordingLog;
using testing::RecordingReloadChannel;
using testing::ScopedEnvironment;
using testing::TemporaryDirectory;

constexpr const char* taskText = "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90";

Instant at(const char* text) {
    return *parseDateText(text);
}

std::size_t entriesIn(const std::filesystem::path& directory) {
    if (!std::filesystem::is_directory(directory)) {
        return 0;
    }
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(directory),
                                                  std::filesystem::directory_iterator()));
}

// A private data home with the application group's shared container in it.
class TickIntent : public ::testing::Test {
protected:
    TickIntent() { std::filesystem::create_directories(container()); }

    std::filesystem::path container() const {
        return dataHome.path() / "group-containers" / appGroupIdentifier();
    }
    std::filesystem::path queue() const { return container() / pendingQueueDirectoryName; }

    IntentResult perform(const TickReadyTaskIntent& intent) {
        return intent.perform(IntentServices{clock, log, reloads});
    }

    TemporaryDirectory dataHome;
    ScopedEnvironment dataHomeVariable{"XDG_DATA_HOME", dataHome.path().string()};
    FixedClock clock{at("2026-12-05T09:30:00.250Z")};
    RecordingLog log;
    RecordingReloadChannel reloads;
};

TEST(TickIntentDeclaration, DeclaresItsParameterTitleAndDiscoverability) {
    const TickReadyTaskIntent intent;
    EXPECT_EQ(intent.taskID.value, std::nullopt);
    EXPECT_EQ(intent.taskID.settings.title.key, "widget.intent.parameter.task");
    EXPECT_EQ(intent.taskID.settings.description, std::nullopt);
    EXPECT_EQ(intent.taskID.settings.requestValueDialog, std::nullopt);
    EXPECT_FALSE(intent.taskID.settings.hasInputOptions);
    EXPECT_EQ(intent.taskID.settings.inputConnectionBehavior,
              InputConnectionBehavior::defaultBehavior);
    EXPECT_EQ(TickReadyTaskIntent::title().key, "widget.intent.tick");
    EXPECT_TRUE(TickReadyTaskIntent::isDiscoverable);
}

TEST(TickIntentDeclaration, TaskInitializerHoldsUpperCaseUuidText) {
    const Uuid task = *parseUuidText("0d5a2c64-7e1b-4f3a-9c11-2b6e8d4f7a90");
    const TickReadyTaskIntent intent(task);
    EXPECT_EQ(intent.taskID, std::string(taskText));
    EXPECT_EQ(intent.taskID.settings, TickReadyTaskIntent().taskID.settings);
}

TEST_F(TickIntent, ParksOneRecordForUuidTextInEitherCaseAndThenReloads) {
    for (const char* text :
         {"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90", "0d5a2c64-7e1b-4f3a-9c11-2b6e8d4f7a90"}) {
        SCOPED_TRACE(text);
        std::filesystem::remove_all(queue());
        const auto reloadsBefore = reloads.kinds().size();

        EXPECT_EQ(perform(TickReadyTaskIntent(std::string(text))), IntentResult{});

        const auto parked = loadPendingCompletions(container());
        ASSERT_EQ(parked.size(), 1u);
        EXPECT_EQ(parked[0].taskID, *parseUuidText(taskText));
        EXPECT_EQ(parked[0].requestedAt, at("2026-12-05T09:30:00Z"));
        EXPECT_TRUE(std::filesystem::exists(queue() / (uuidText(parked[0].id) + ".json")));
        EXPECT_EQ(reloads.kinds().size(), reloadsBefore + 1);
        EXPECT_EQ(reloads.kinds().back(), readyWidgetKind);
    }
    EXPECT_TRUE(log.entries().empty());
}

TEST_F(TickIntent, ReloadIsRequestedOnlyAfterTheRecordIsInPlace) {
    std::size_t recordsAtReload = 99;
    reloads.onRequest = [&](std::string_view) {
        recordsAtReload = loadPendingCompletions(container()).size();
    };
    perform(TickReadyTaskIntent(std::string(taskText)));
    EXPECT_EQ(recordsAtReload, 1u);
}

TEST_F(TickIntent, IgnoresTextThatIsNoTaskIdWithoutATrace) {
    const std::vector<std::optional<std::string>> texts = {
        std::nullopt,
        "",
        "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A9",
        "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A900",
        "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A9G",
        "{0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90}",
        "0D5A2C647E1B4F3A9C112B6E8D4F7A90",
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(text.value_or("(no value)"));
        TickReadyTaskIntent intent;
        intent.taskID.value = text;
        EXPECT_EQ(perform(intent), IntentResult{});
    }
    EXPECT_FALSE(std::filesystem::exists(queue()));
    EXPECT_TRUE(log.entries().empty());
    EXPECT_TRUE(reloads.kinds().empty());
    EXPECT_EQ(clock.reads(), 0);
}

TEST_F(TickIntent, WithoutSharedContainerReloadsAndLogsNothing) {
    std::filesystem::remove_all(container());
    perform(TickReadyTaskIntent(std::string(taskText)));
    EXPECT_FALSE(std::filesystem::exists(container()));
    EXPECT_TRUE(log.entries().empty());
    EXPECT_EQ(reloads.kinds(), std::vector<std::string>{std::string(readyWidgetKind)});
}

TEST_F(TickIntent, QueueThatCannotBeCreatedGivesOneLogEntryAndOneReload) {
    testing::writeFile(queue(), "not a directory");

    EXPECT_EQ(perform(TickReadyTaskIntent(std::string(taskText))), IntentResult{});

    const auto entries = log.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].starts_with("Could not park a widget tick: ")) << entries[0];
    EXPECT_NE(entries[0].find(queue().string()), std::string::npos) << entries[0];
    EXPECT_EQ(reloads.kinds(), std::vector<std::string>{std::string(readyWidgetKind)});
    EXPECT_TRUE(std::filesystem::is_regular_file(queue()));
}

TEST_F(TickIntent, FailedParkIsNotFormattedForALogThatRefusesErrors) {
    testing::writeFile(queue(), "not a directory");
    RecordingLog refusing(false);
    TickReadyTaskIntent(std::string(taskText)).perform(IntentServices{clock, refusing, reloads});
    EXPECT_TRUE(refusing.entries().empty());
    EXPECT_EQ(reloads.kinds().size(), 1u);
}

TEST_F(TickIntent, TwoPressesAtOnceParkTwoRecordsAndReloadTwice) {
    const TickReadyTaskIntent intent(std::string{taskText});
    std::barrier start(2);
    auto press = [&] {
        start.arrive_and_wait();
        perform(intent);
    };
    std::thread first(press);
    std::thread second(press);
    first.join();
    second.join();

    const auto parked = loadPendingCompletions(container());
    ASSERT_EQ(parked.size(), 2u);
    EXPECT_NE(parked[0].id, parked[1].id);
    EXPECT_EQ(parked[0].taskID, parked[1].taskID);
    EXPECT_EQ(entriesIn(queue()), 2u) << "no temporary file may be left behind";
    EXPECT_EQ(reloads.kinds().size(), 2u);
    EXPECT_TRUE(log.entries().empty());
}

} // namespace
} // namespace tandry
