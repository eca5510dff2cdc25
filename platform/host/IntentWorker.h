#pragma once

#include "widget/intents/IntentServices.h"
#include "widget/intents/TickReadyTaskIntent.h"

typedef struct _GThreadPool GThreadPool;

namespace tandry {

// The host's executor for intents: a small pool of worker threads, so that a
// tick that waits for the disk never holds up drawing, and two quick presses
// run side by side. Whatever an intent asks of the host goes through the
// services, whose reload channel carries requests back to the main loop.
class IntentWorker {
public:
    explicit IntentWorker(IntentServices services);
    // Waits for the intents that are already running or queued.
    ~IntentWorker();
    IntentWorker(const IntentWorker&) = delete;
    IntentWorker& operator=(const IntentWorker&) = delete;

    // Queues `intent` and returns at once.
    void perform(TickReadyTaskIntent intent);

private:
    static void run(void* intent, void* worker);

    IntentServices services_;
    GThreadPool* pool_;
};

} // namespace tandry
