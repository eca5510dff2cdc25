#include "platform/host/MainLoopWatch.h"

#include <ctime>
#include <glib.h>

namespace tandry {

struct MainLoopWatch::Source {
    GSource base;
    std::chrono::microseconds threshold;
    Report* report;
    // When this iteration's dispatching began; 0 outside it.
    gint64 dispatchStarted;
    // The thread's processor time then.
    std::chrono::microseconds runningBefore;
};

namespace {

using Source = MainLoopWatch::Source;

std::chrono::microseconds threadProcessorTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::duration_cast<std::chrono::microseconds>(
                                                  std::chrono::nanoseconds(now.tv_nsec));
}

// Called as an iteration begins: the one before it has dispatched everything.
gboolean prepare(GSource* base, gint* timeout) {
    auto* source = reinterpret_cast<Source*>(base);
    if (source->dispatchStarted != 0) {
        const std::chrono::microseconds spent{g_get_monotonic_time() - source->dispatchStarted};
        source->dispatchStarted = 0;
        if (spent >= source->threshold) {
            (*source->report)(spent, threadProcessorTime() - source->runningBefore);
        }
    }
    *timeout = -1;
    return FALSE;
}

// Called once the poll has returned, just before the ready sources run.
gboolean check(GSource* base) {
    auto* source = reinterpret_cast<Source*>(base);
    source->dispatchStarted = g_get_monotonic_time();
    source->runningBefore = threadProcessorTime();
    return FALSE;
}

GSourceFuncs watchFunctions = {prepare, check, nullptr, nullptr, nullptr, nullptr};

} // namespace

MainLoopWatch::MainLoopWatch(std::chrono::microseconds threshold, Report report)
    : source_(g_source_new(&watchFunctions, sizeof(Source))) {
    auto* source = reinterpret_cast<Source*>(source_);
    source->threshold = threshold;
    source->report = new Report(std::move(report));
    source->dispatchStarted = 0;
    g_source_set_priority(source_, G_PRIORITY_HIGH);
    g_source_attach(source_, g_main_context_get_thread_default());
}

MainLoopWatch::~MainLoopWatch() {
    delete reinterpret_cast<Source*>(source_)->report;
    g_source_destroy(source_);
    g_source_unref(source_);
}

} // namespace tandry
