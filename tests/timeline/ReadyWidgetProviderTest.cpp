#include "widget/timeline/ReadyWidgetProvider.h"

#include "tests/support/FixedClock.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScopedLanguage.h"
#include "tests/support/TemporaryDirectory.h"
#include "widget/store/AppGroup.h"
#include "widget/store/PendingQueue.h"
#include "widget/store/SnapshotCodec.h"
#include "widget/timeline/SnapshotLoader.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using namespace std::chrono;

const Instant now = Instant{sys_days{2026y / December / 5} + hours{9} + minutes{30}};

enum class Request { placeholder, previewSnapshot, snapshot, timeline };
// What the shared container holds when the request comes: nothing, or a
// snapshot with one parked tick that is live, valid until the request, or expired.
enum class Container { absent, live, expiresNow };
// What the entry must carry: the sample card, the snapshot with the tick applied, or the rest.
enum class Shows { sample, overlaidSnapshot, waitingForApp, stale };
// The timeline's reload policy; none for requests that give no timeline.
enum class Reload { none, never, atValidUntil };

// The decision table of the provider. Which state a container gives at which
// date is the loader's, and its own test's, business; here each request must
// load (or not) at the clock's one reading and pick the matching reload policy.
TEST(ReadyWidgetProvider, AnswersEveryRowOfTheDecisionTable) {
    struct Row {
        const char* why;
        Request request;
        Container container;
        Shows shows;
        Reload reload;
    };
    const Row rows[] = {
        {"placeholder", Request::placeholder, Container::live, Shows::sample, Reload::none},
        {"preview", Request::previewSnapshot, Container::live, Shows::sample, Reload::none},
        {"snapshot", Request::snapshot, Container::live, Shows::overlaidSnapshot, Reload::none},
        {"snapshot, expiring", Request::snapshot, Container::expiresNow, Shows::stale,
         Reload::none},
        {"timeline, no container", Request::timeline, Container::absent, Shows::waitingForApp,
         Reload::never},
        {"timeline, expiring", Request::timeline, Container::expiresNow, Shows::stale,
         Reload::never},
        {"timeline", Request::timeline, Container::live, Shows::overlaidSnapshot,
         Reload::atValidUntil},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        testing::TemporaryDirectory dataHome;
        testing::ScopedEnvironment dataHomeVariable{"XDG_DATA_HOME", dataHome.path().string()};
        testing::ScopedLanguage language{"en"};
        ReadySnapshot written{.validUntil =
                                  row.container == Container::live ? now + minutes{1} : now,
                              .total = 3,
                              .tasks = {{.id = Uuid::random(), .title = "Buy stamps"},
                                        {.id = Uuid::random(), .title = "Post the parcel"}},
                              .paletteRaw = "green"};
        if (row.container != Container::absent) {
            auto container = dataHome.path() / "group-containers" / appGroupIdentifier();
            std::filesystem::create_directories(container);
            testing::writeFile(container / snapshotFileName, *encodeSnapshot(written));
            ASSERT_TRUE(
                parkPendingCompletion({Uuid::random(), written.tasks[0].id, now}, container));
        }
        testing::FixedClock clock(now);
        ReadyWidgetProvider provider(clock);

        // Each completion is called exactly once, before the call returns.
        std::vector<ReadyWidgetEntry> entries;
        std::optional<ReloadPolicy> policy;
        auto collect = [&](ReadyWidgetEntry entry) { entries.push_back(std::move(entry)); };
        switch (row.request) {
        case Request::placeholder:
            entries.push_back(provider.placeholder({}));
            break;
        case Request::previewSnapshot:
            provider.getSnapshot({.isPreview = true}, collect);
            break;
        case Request::snapshot:
            provider.getSnapshot({}, collect);
            break;
        case Request::timeline:
            provider.getTimeline({}, [&](Timeline timeline) {
                entries.insert(entries.end(), timeline.entries.begin(), timeline.entries.end());
                policy = timeline.policy;
            });
            break;
        }
        ASSERT_EQ(entries.size(), 1u);
        const auto& entry = entries.front();
        EXPECT_EQ(entry.date, now);
        // Requests that load read the clock once, so expiry is judged at the entry's own date.
        if (row.request == Request::snapshot || row.request == Request::timeline) {
            EXPECT_EQ(clock.reads(), 1);
        }

        auto overlaid = written;
        overlaid.tasks.erase(overlaid.tasks.begin());
        overlaid.total = 2;
        switch (row.shows) {
        case Shows::sample:
            ASSERT_NE(entry.state.snapshot(), nullptr);
            EXPECT_EQ(entry.state.snapshot()->validUntil, distantFuture());
            EXPECT_EQ(entry.state.snapshot()->tasks.size(), 4u);
            break;
        case Shows::overlaidSnapshot:
            EXPECT_EQ(entry.state, ReadyWidgetState::ready(overlaid));
            break;
        case Shows::waitingForApp:
            EXPECT_EQ(entry.state, ReadyWidgetState::waitingForApp());
            break;
        case Shows::stale:
            EXPECT_EQ(entry.state, ReadyWidgetState::stale());
            break;
        }
        const std::optional<ReloadPolicy> policies[] = {std::nullopt, ReloadPolicy::never(),
                                                        ReloadPolicy::atEnd(written.validUntil)};
        EXPECT_EQ(policy, policies[static_cast<int>(row.reload)]);
    }
}

} // namespace
} // namespace tandry
