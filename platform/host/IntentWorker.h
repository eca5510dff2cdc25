#pragma once

#include "widget/intents/IntentServices.h"
#include "widget/intents/TickReadyTaskIntent.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <limits>

typedef struct _GThreadPool GThreadPool;

namespace tandry {

// The host's executor for intents: a small pool of worker threads, so that a
// tick that waits for the disk never holds up drawing, and two quick presses
// run side by side. Whatever an intent asks of the host goes through the
// services, whose reload channel carries requests back to the main loop.
class IntentWorker {
public:
    explicit IntentWorker(IntentServices services);
    // Waits for the intents that are running, and gives the queued ones a
    // moment to run too (`stopAfter`): a host asked to quit ends within a
    // second even under a flood of ticks. Those still queued then are not
    // run, and their number is logged.
    ~IntentWorker();
    IntentWorker(const IntentWorker&) = delete;
    IntentWorker& operator=(const IntentWorker&) = delete;

    // Queues `intent` and returns at once.
    void perform(TickReadyTaskIntent intent);

    static constexpr std::chrono::milliseconds stopAfter{500};

private:
    static void run(void* intent, void* worker);

    IntentServices services_;
    GThreadPool* pool_;
    // From the destructor on: when queued intents stop being run (steady
    // clock, in nanoseconds since its epoch), and how many were not.
    std::atomic<std::int64_t> stopAt_{std::numeric_limits<std::int64_t>::max()};
    std::atomic<int> skipped_{0};
};

} // namespace tandry
