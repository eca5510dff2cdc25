#pragma once

// The host's state for one kind of widget, shared by the files that make up
// the host.

#include "platform/host/CoalescingTask.h"
#include "platform/host/TimelineScheduler.h"
#include "platform/host/WidgetHost.h"
#include "platform/host/WidgetWindow.h"

namespace tandry {

// One kind of widget: its declaration, its scheduler, its latest entry and
// where that entry is shown.
struct WidgetHost::HostedKind {
    HostedKind(StaticConfiguration configuration, const Clock& clock, WidgetHost& host)
        : configuration(std::move(configuration)), scheduler(clock), host(host) {}

    StaticConfiguration configuration;
    TimelineScheduler scheduler;
    std::optional<ReadyWidgetEntry> entry;
    std::vector<std::unique_ptr<WidgetWindow>> windows;
    // The families written to the output directory.
    std::vector<WidgetFamily> outputFamilies;
    SourceHandle burstSource;
    WidgetHost& host;
    // Loads the timeline off the main loop; its runs own what they read with.
    std::unique_ptr<CoalescingTask> loader;
    // When the load that gave `entry` began (monotonic microseconds).
    std::int64_t entryReadAt = 0;
};

} // namespace tandry
