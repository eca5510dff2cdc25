#include "platform/host/IntentWorker.h"

#include "platform/host/ThreadPriority.h"

#include <fmt/format.h>
#include <glib.h>

namespace tandry {
namespace {

constexpr int workerThreads = 4;

// A flood of ticks (thousands asked for over the bus at once) keeps every
// worker busy; below the main loop's priority they leave it the time it
// needs. Parking waits on the disk far more than it computes, so a single
// tick is no slower for it.
constexpr int workerPrioritySteps = 10;

std::int64_t steadyNow() {
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

} // namespace

IntentWorker::IntentWorker(IntentServices services)
    : services_(services),
      pool_(g_thread_pool_new(&IntentWorker::run, this, workerThreads, FALSE, nullptr)) {}

IntentWorker::~IntentWorker() {
    stopAt_ = steadyNow() + std::chrono::nanoseconds(stopAfter).count();
    g_thread_pool_free(pool_, FALSE, TRUE);
    if (const int skipped = skipped_; skipped > 0 && services_.log.acceptsErrors()) {
        services_.log.error(
            fmt::format("{} ticks asked for just before the host quit were not parked", skipped));
    }
}

void IntentWorker::perform(TickReadyTaskIntent intent) {
    g_thread_pool_push(pool_, new TickReadyTaskIntent(std::move(intent)), nullptr);
}

void IntentWorker::run(void* intent, void* worker) {
    thread_local const bool lowered = (lowerThisThreadsPriority(workerPrioritySteps), true);
    static_cast<void>(lowered);
    auto* self = static_cast<IntentWorker*>(worker);
    const auto* tick = static_cast<TickReadyTaskIntent*>(intent);
    if (steadyNow() < self->stopAt_) {
        tick->perform(self->services_);
    } else {
        ++self->skipped_;
    }
    delete tick;
}

} // namespace tandry
