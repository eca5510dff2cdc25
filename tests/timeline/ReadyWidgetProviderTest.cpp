#include "widget/timeline/ReadyWidgetProvider.h"

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScopedLanguage.h"
#include "tests/support/SettableClock.h"
#include "tests/support/TemporaryDirectory.h"
#include "widget/store/AppGroup.h"
#include "widget/store/PendingQueue.h"
#include "widget/store/SnapshotCodec.h"
#include "widget/timeline/SnapshotLoader.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using namespace std::chrono;
using testing::SettableClock;

const Instant now = Instant{sys_days{2026y / December / 5} + hours{9} + minutes{30}};

enum class Request { placeholder, previewSnapshot, snapshot, timeline };

const char* requestName(Request request) {
    switch (request) {
    case Request::placeholder:
        return "placeholder";
    case Request::previewSnapshot:
        return "getSnapshot, preview";
    case Request::snapshot:
        return "getSnapshot";
    case Request::timeline:
        return "getTimeline";
    }
    return "?";
}

// What the shared container holds when the request comes.
enum class Container { absent, withoutFile, undecodableFile, live, expiresNow, expired };

const char* containerName(Container container) {
    switch (container) {
    case Container::absent:
        return "no container";
    case Container::withoutFile:
        return "no snapshot file";
    case Container::undecodableFile:
        return "an undecodable file";
    case Container::live:
        return "a live snapshot";
    case Container::expiresNow:
        return "a snapshot valid until the request";
    case Container::expired:
        return "a snapshot expired a minute ago";
    }
    return "?";
}

// What the entry must carry.
enum class Shows { sample, overlaidSnapshot, waitingForApp, stale };
// The timeline's reload policy; none for requests that give no timeline.
enum class Reload { none, never, atValidUntil };

struct Answer {
    std::vector<ReadyWidgetEntry> entries;
    std::optional<ReloadPolicy> policy;
};

ReadySnapshot::Item task(const char* title) {
    return {.id = Uuid::random(),
            .title = title,
            .flowName = "Errands",
            .dueDate = std::nullopt,
            .isOverdue = false,
            .isToday = true,
            .priorityRaw = "low"};
}

class ReadyWidgetProviderTest : public ::testing::Test {
protected:
    std::filesystem::path container() const {
        return dataHome.path() / "group-containers" / appGroupIdentifier();
    }

    // Lays out the container and returns the validUntil of its snapshot, if any.
    void prepare(Container kind) {
        if (kind == Container::absent) {
            return;
        }
        std::filesystem::create_directories(container());
        if (kind == Container::withoutFile) {
            return;
        }
        if (kind == Container::undecodableFile) {
            testing::writeFile(container() / snapshotFileName, R"({"validUntil": )");
            return;
        }
        written.validUntil = kind == Container::live         ? now + minutes{1}
                             : kind == Container::expiresNow ? now
                                                             : now - minutes{1};
        written.total = 3;
        written.tasks = {task("Buy stamps"), task("Post the parcel")};
        written.paletteRaw = "green";
        testing::writeFile(container() / snapshotFileName, *encodeSnapshot(written));
        // One parked tick, which every live answer must show applied.
        parked = PendingCompletion{Uuid::random(), written.tasks[0].id, now - minutes{5}};
        ASSERT_TRUE(parkPendingCompletion(*parked, container()));
    }

    Answer ask(Request request, const Clock& clock) {
        ReadyWidgetProvider provider(clock);
        Answer answer;
        int completions = 0;
        switch (request) {
        case Request::placeholder:
            answer.entries.push_back(provider.placeholder({}));
            completions = 1;
            break;
        case Request::previewSnapshot:
        case Request::snapshot:
            provider.getSnapshot({.isPreview = request == Request::previewSnapshot},
                                 [&](ReadyWidgetEntry entry) {
                                     ++completions;
                                     answer.entries.push_back(std::move(entry));
                                 });
            break;
        case Request::timeline:
            provider.getTimeline({}, [&](Timeline timeline) {
                ++completions;
                answer.entries = std::move(timeline.entries);
                answer.policy = timeline.policy;
            });
            break;
        }
        // Called exactly once, and before the call returned.
        EXPECT_EQ(completions, 1);
        return answer;
    }

    testing::TemporaryDirectory dataHome;
    testing::ScopedEnvironment dataHomeVariable{"XDG_DATA_HOME", dataHome.path().string()};
    testing::ScopedLanguage language{"en"};
    ReadySnapshot written;
    std::optional<PendingCompletion> parked;
};

void expectSample(const ReadySnapshot& snapshot) {
    EXPECT_EQ(snapshot.validUntil, distantFuture());
    EXPECT_EQ(snapshot.paletteRaw, "violet");
    ASSERT_EQ(snapshot.tasks.size(), 4u);
    EXPECT_EQ(snapshot.total, 4);
    EXPECT_EQ(snapshot.tasks[0].title, "Send the quarterly report");
    EXPECT_TRUE(snapshot.tasks[0].isOverdue);
    EXPECT_TRUE(snapshot.tasks[1].isToday);
}

TEST_F(ReadyWidgetProviderTest, AnswersEveryRowOfTheDecisionTable) {
    struct Row {
        Request request;
        Container container;
        Shows shows;
        Reload reload;
    };
    const Row rows[] = {
        {Request::placeholder, Container::absent, Shows::sample, Reload::none},
        {Request::placeholder, Container::live, Shows::sample, Reload::none},
        {Request::placeholder, Container::undecodableFile, Shows::sample, Reload::none},
        {Request::previewSnapshot, Container::absent, Shows::sample, Reload::none},
        {Request::previewSnapshot, Container::live, Shows::sample, Reload::none},
        {Request::previewSnapshot, Container::expired, Shows::sample, Reload::none},
        {Request::snapshot, Container::absent, Shows::waitingForApp, Reload::none},
        {Request::snapshot, Container::withoutFile, Shows::waitingForApp, Reload::none},
        {Request::snapshot, Container::undecodableFile, Shows::waitingForApp, Reload::none},
        {Request::snapshot, Container::expired, Shows::stale, Reload::none},
        {Request::snapshot, Container::expiresNow, Shows::stale, Reload::none},
        {Request::snapshot, Container::live, Shows::overlaidSnapshot, Reload::none},
        {Request::timeline, Container::absent, Shows::waitingForApp, Reload::never},
        {Request::timeline, Container::withoutFile, Shows::waitingForApp, Reload::never},
        {Request::timeline, Container::undecodableFile, Shows::waitingForApp, Reload::never},
        {Request::timeline, Container::expired, Shows::stale, Reload::never},
        {Request::timeline, Container::expiresNow, Shows::stale, Reload::never},
        {Request::timeline, Container::live, Shows::overlaidSnapshot, Reload::atValidUntil},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(requestName(row.request)) + " with " +
                     containerName(row.container));
        std::filesystem::remove_all(dataHome.path() / "group-containers");
        parked.reset();
        prepare(row.container);
        SettableClock clock(now);

        auto answer = ask(row.request, clock);

        ASSERT_EQ(answer.entries.size(), 1u);
        const auto& entry = answer.entries.front();
        EXPECT_EQ(entry.date, now);
        switch (row.shows) {
        case Shows::sample:
            ASSERT_EQ(entry.state.kind(), ReadyWidgetState::Case::ready);
            expectSample(*entry.state.snapshot());
            break;
        case Shows::overlaidSnapshot: {
            ASSERT_EQ(entry.state.kind(), ReadyWidgetState::Case::ready);
            auto expected = written;
            expected.tasks.erase(expected.tasks.begin());
            expected.total = 2;
            EXPECT_EQ(*entry.state.snapshot(), expected);
            break;
        }
        case Shows::waitingForApp:
            EXPECT_EQ(entry.state, ReadyWidgetState::waitingForApp());
            break;
        case Shows::stale:
            EXPECT_EQ(entry.state, ReadyWidgetState::stale());
            break;
        }
        switch (row.reload) {
        case Reload::none:
            EXPECT_EQ(answer.policy, std::nullopt);
            break;
        case Reload::never:
            EXPECT_EQ(answer.policy, ReloadPolicy::never());
            break;
        case Reload::atValidUntil:
            EXPECT_EQ(answer.policy, ReloadPolicy::atEnd(written.validUntil));
            break;
        }
        // Requests that load read the clock once, so expiry is judged at the
        // entry's own date.
        if (row.request == Request::snapshot || row.request == Request::timeline) {
            EXPECT_EQ(clock.reads(), 1);
        }
        // The container is read, never written.
        if (parked) {
            EXPECT_TRUE(std::filesystem::exists(container() / pendingQueueDirectoryName /
                                                (uuidText(parked->id) + ".json")));
        }
    }
}

} // namespace
} // namespace tandry
