#include "platform/host/TimelineScheduler.h"

#include "tests/support/SettableClock.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using namespace std::chrono_literals;
using testing::SettableClock;

Instant at(const char* text) {
    return *parseDateText(text);
}

// A scheduler whose first load has happened, at 09:00, with `policy`.
class Scheduler : public ::testing::Test {
protected:
    void loadedWith(const ReloadPolicy& policy) {
        ASSERT_TRUE(scheduler.isLoadDue());
        scheduler.timelineLoaded(policy);
    }

    SettableClock clock{at("2026-12-05T09:00:00Z")};
    TimelineScheduler scheduler{clock};
};

TEST_F(Scheduler, FirstLoadIsDueAtOnce) {
    EXPECT_TRUE(scheduler.isLoadDue());
    EXPECT_EQ(scheduler.nextPolicyReload(), std::nullopt);
}

TEST_F(Scheduler, ReadyTimelineReloadsAtValidUntilAndNotBefore) {
    loadedWith(ReloadPolicy::atEnd(at("2026-12-05T10:00:00Z")));
    EXPECT_EQ(scheduler.nextPolicyReload(), at("2026-12-05T10:00:00Z"));

    clock.set(at("2026-12-05T09:59:59.999999Z"));
    EXPECT_FALSE(scheduler.isLoadDue());
    clock.set(at("2026-12-05T10:00:00Z"));
    EXPECT_TRUE(scheduler.isLoadDue());
}

TEST_F(Scheduler, StaleAndWaitingTimelinesWaitForARequest) {
    for (const auto& label : {"stale", "waitingForApp"}) {
        SCOPED_TRACE(label);
        loadedWith(ReloadPolicy::never());
        EXPECT_EQ(scheduler.nextPolicyReload(), std::nullopt);
        clock.advance(24h * 365);
        EXPECT_FALSE(scheduler.isLoadDue());

        EXPECT_TRUE(scheduler.requestReload());
        EXPECT_TRUE(scheduler.isLoadDue());
    }
}

TEST_F(Scheduler, SleepAcrossValidUntilMakesTheLoadDueOnWaking) {
    loadedWith(ReloadPolicy::atEnd(at("2026-12-05T10:00:00Z")));
    // The machine sleeps at 09:30 and wakes at 14:00: no monotonic time
    // passed in between, but the wall clock moved on.
    clock.set(at("2026-12-05T09:30:00Z"));
    EXPECT_FALSE(scheduler.isLoadDue());
    clock.set(at("2026-12-05T14:00:00Z"));
    EXPECT_TRUE(scheduler.isLoadDue());
}

TEST_F(Scheduler, ClockChangeMakesALoadDueUnderEveryPolicy) {
    for (const ReloadPolicy& policy :
         {ReloadPolicy::atEnd(at("2026-12-05T10:00:00Z")), ReloadPolicy::never()}) {
        SCOPED_TRACE(::testing::PrintToString(policy));
        loadedWith(policy);
        clock.set(at("2026-12-05T08:00:00Z"));
        EXPECT_FALSE(scheduler.isLoadDue());

        EXPECT_TRUE(scheduler.clockChanged());
        EXPECT_TRUE(scheduler.isLoadDue());
        clock.set(at("2026-12-05T09:00:00Z"));
    }
}

TEST_F(Scheduler, BurstOfRequestsOpensOneLoad) {
    loadedWith(ReloadPolicy::never());

    int burstsOpened = 0;
    for (int i = 0; i < 100; ++i) {
        burstsOpened += scheduler.requestReload() ? 1 : 0;
    }
    burstsOpened += scheduler.clockChanged() ? 1 : 0;
    EXPECT_EQ(burstsOpened, 1);
    EXPECT_TRUE(scheduler.isLoadDue());

    scheduler.timelineLoaded(ReloadPolicy::never());
    EXPECT_FALSE(scheduler.isLoadDue());
    EXPECT_EQ(scheduler.loadCount(), 2);

    // The next request after the load opens a new burst.
    EXPECT_TRUE(scheduler.requestReload());
}

TEST_F(Scheduler, ALoadReplacesThePolicyOfTheTimelineBefore) {
    loadedWith(ReloadPolicy::atEnd(at("2026-12-05T10:00:00Z")));
    scheduler.requestReload();
    scheduler.timelineLoaded(ReloadPolicy::never());

    clock.set(at("2026-12-05T11:00:00Z"));
    EXPECT_FALSE(scheduler.isLoadDue());
    EXPECT_EQ(scheduler.nextPolicyReload(), std::nullopt);
}

} // namespace
} // namespace tandry
