#include "widget/timeline/ReadyWidgetProvider.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/support/SettableClock.h"
#include "tests/support/TemporaryDirectory.h"
#include "widget/store/PendingQueue.h"
#include "widget/store/SnapshotCodec.h"
#include "widget/timeline/SnapshotLoader.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using namespace std::chrono;
using Case = ReadyWidgetState::Case;

const Instant now = Instant{sys_days{2026y / December / 5} + hours{9} + minutes{30}};

enum class Request { placeholder, preview, snapshot, timeline };
// The shared container: none, or a snapshot of two tasks, one of them ticked,
// that is live for another minute or valid until the very instant of the request.
enum class Container { absent, live, expiresNow };

// Which state a container gives at which date is the loader's business (its
// own test); here each request must show the sample card or load at the
// clock's one reading, and the timeline must pick the matching reload policy.
TEST(ReadyWidgetProvider, AnswersEveryRowOfTheDecisionTable) {
    struct Row {
        Request request;
        Container container;
        Case shows;
        // 4 for the sample card, 1 for the snapshot with its tick applied.
        std::size_t tasks;
        // None for requests that give no timeline.
        std::optional<ReloadPolicy> reload;
    };
    const Row rows[] = {
        {Request::placeholder, Container::live, Case::ready, 4, std::nullopt},
        {Request::preview, Container::live, Case::ready, 4, std::nullopt},
        {Request::snapshot, Container::live, Case::ready, 1, std::nullopt},
        {Request::snapshot, Container::expiresNow, Case::stale, 0, std::nullopt},
        {Request::timeline, Container::absent, Case::waitingForApp, 0, ReloadPolicy::never()},
        {Request::timeline, Container::expiresNow, Case::stale, 0, ReloadPolicy::never()},
        {Request::timeline, Container::live, Case::ready, 1, ReloadPolicy::atEnd(now + minutes{1})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << &row - rows);
        testing::TemporaryDirectory data;
        const auto container = data.path() / "group";
        testing::ScopedLanguage language{"en"};
        ReadySnapshot written{
            .validUntil = row.container == Container::live ? now + minutes{1} : now,
            .total = 3,
            .tasks = {{.id = Uuid::random(), .title = "Buy stamps"}, {.id = Uuid::random()}}};
        if (row.container != Container::absent) {
            std::filesystem::create_directories(container);
            testing::writeFile(container / snapshotFileName, *encodeSnapshot(written));
            ASSERT_TRUE(
                parkPendingCompletion({Uuid::random(), written.tasks[0].id, now}, container));
        }
        testing::SettableClock clock(now);
        ReadyWidgetProvider provider(clock, container);

        // Each completion must be called exactly once, before the call returns.
        std::vector<ReadyWidgetEntry> entries;
        std::optional<ReloadPolicy> policy;
        auto collect = [&](ReadyWidgetEntry entry) { entries.push_back(std::move(entry)); };
        if (row.request == Request::placeholder) {
            entries.push_back(provider.placeholder({}));
        } else if (row.request == Request::timeline) {
            provider.getTimeline({}, [&](Timeline timeline) {
                entries.insert(entries.end(), timeline.entries.begin(), timeline.entries.end());
                policy = timeline.policy;
            });
        } else {
            provider.getSnapshot({.isPreview = row.request == Request::preview}, collect);
        }
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].date, now);
        EXPECT_EQ(entries[0].state.kind(), row.shows);
        if (const auto* snapshot = entries[0].state.snapshot()) {
            EXPECT_EQ(snapshot->tasks.size(), row.tasks);
        }
        // Requests that load read the clock once, so expiry is judged at the entry's own date.
        if (row.request == Request::snapshot || row.request == Request::timeline) {
            EXPECT_EQ(clock.reads(), 1);
        }
        EXPECT_EQ(policy, row.reload);
    }
}

} // namespace
} // namespace tandry
