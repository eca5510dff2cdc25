#pragma once

#include "widget/system/Instant.h"
#include "widget/timeline/Clock.h"
#include "widget/timeline/Timeline.h"

#include <optional>

namespace tandry {

// When the host asks the provider for a new timeline. A load falls due
//  - at first, before any timeline is known;
//  - when the wall clock reaches the reload-after instant of the last timeline
//    (a ready entry's validUntil), however the clock got there: by running,
//    by the machine waking from sleep, or by being set;
//  - after a reload request (a tick, `tandry-widget reload`, a change in the
//    shared container) or a change of the wall clock.
// Under the policy never nothing but a request makes a load due. Requests
// come in bursts (a tick parks a file and asks for a reload, and the file
// monitor reports the file), so the host waits a moment after the first
// request of a burst and loads once for all of them.
//
// A plain class on a clock that is handed in: the host drives it from its
// main loop and its wall-clock alarm, tests from a fake clock.
class TimelineScheduler {
public:
    explicit TimelineScheduler(const Clock& clock) : clock_(clock) {}

    // Records a reload request. True when it opens a burst, that is, when no
    // request is waiting yet: the host then schedules one load after a short
    // delay. Later requests of the burst return false and ride on that load.
    bool requestReload();

    // Records that the wall clock was set (or jumped on resume). The entry's
    // date and the snapshot's expiry were judged against the old time, so a
    // load falls due at once, under every policy; returns as requestReload().
    bool clockChanged();

    // Whether a load is due at the clock's now.
    bool isLoadDue() const;

    // Records that a load starts (or is queued to start) now: it reads the
    // container after every request made so far, so it answers them all.
    // Requests made while it runs open a new burst.
    void loadStarted();

    // Records a finished load and the reload policy of its timeline.
    void timelineLoaded(const ReloadPolicy& policy);

    // The wall-clock instant at which the policy makes the next load due;
    // absent under the policy never. The host sets its alarm to it.
    std::optional<Instant> nextPolicyReload() const;

    // How many loads the scheduler has been told of.
    int loadCount() const { return loads_; }

private:
    const Clock& clock_;
    bool requested_ = true;
    std::optional<ReloadPolicy> policy_;
    int loads_ = 0;
};

} // namespace tandry
