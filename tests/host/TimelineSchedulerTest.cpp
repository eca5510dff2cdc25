#include "platform/host/TimelineScheduler.h"

#include "tests/support/SettableClock.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using namespace std::chrono_literals;

Instant at(const char* text) {
    return *parseDateText(text);
}

TEST(TimelineScheduler, LoadsAtValidUntilHoweverTheClockGetsThere) {
    testing::SettableClock clock{at("2026-12-05T09:00:00Z")};
    TimelineScheduler scheduler{clock};
    EXPECT_TRUE(scheduler.isLoadDue()) << "the first load";
    scheduler.loadStarted();
    scheduler.timelineLoaded(ReloadPolicy::atEnd(at("2026-12-05T10:00:00Z")));
    EXPECT_EQ(scheduler.nextPolicyReload(), at("2026-12-05T10:00:00Z"));
    clock.set(at("2026-12-05T09:59:59.999999Z"));
    EXPECT_FALSE(scheduler.isLoadDue());
    // Reached by running, by waking from sleep past it, or by a set clock.
    clock.set(at("2026-12-05T10:00:00Z"));
    EXPECT_TRUE(scheduler.isLoadDue());

    // Under the policy never only a request or a changed clock makes a load due.
    scheduler.loadStarted();
    scheduler.timelineLoaded(ReloadPolicy::never());
    EXPECT_EQ(scheduler.nextPolicyReload(), std::nullopt);
    clock.advance(24h * 365);
    EXPECT_FALSE(scheduler.isLoadDue());
    EXPECT_TRUE(scheduler.clockChanged());
    EXPECT_TRUE(scheduler.isLoadDue());
    scheduler.loadStarted();
    scheduler.timelineLoaded(ReloadPolicy::never());
    EXPECT_TRUE(scheduler.requestReload());
    EXPECT_TRUE(scheduler.isLoadDue());
}

TEST(TimelineScheduler, ABurstOfRequestsOpensOneLoad) {
    testing::SettableClock clock{at("2026-12-05T09:00:00Z")};
    TimelineScheduler scheduler{clock};
    scheduler.loadStarted();
    scheduler.timelineLoaded(ReloadPolicy::never());
    int burstsOpened = 0;
    for (int i = 0; i < 10; ++i) {
        burstsOpened += scheduler.requestReload() ? 1 : 0;
        burstsOpened += scheduler.clockChanged() ? 1 : 0;
    }
    EXPECT_EQ(burstsOpened, 1);
    scheduler.loadStarted();
    // A request while the load runs may come after the load read the
    // container: it opens a burst of its own, which the load's end keeps.
    EXPECT_TRUE(scheduler.requestReload());
    scheduler.timelineLoaded(ReloadPolicy::never());
    EXPECT_TRUE(scheduler.isLoadDue());
    EXPECT_EQ(scheduler.loadCount(), 2);
    scheduler.loadStarted();
    EXPECT_FALSE(scheduler.isLoadDue());
    EXPECT_TRUE(scheduler.requestReload()) << "the next request opens a new burst";
}

} // namespace
} // namespace tandry
