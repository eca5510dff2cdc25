#include "platform/host/CoalescingTask.h"

#include "platform/host/ThreadPriority.h"

#include <condition_variable>
#include <deque>
#include <glib.h>
#include <mutex>
#include <thread>

namespace tandry {

struct CoalescingTask::State {
    Work work;
    std::chrono::milliseconds spacing{0};
    // Wakes the main loop for the results; made, and destroyed, there.
    GSource* wake = nullptr;

    std::mutex mutex;
    bool alive = true;
    bool running = false;
    bool again = false;
    // What the runs returned, oldest first, for the main loop to do.
    std::deque<std::function<void()>> results;
    std::thread thread;
    // When the last run started; read and written by the runs' threads, one at a time.
    std::chrono::steady_clock::time_point lastStart;

    ~State() { g_source_unref(wake); }
};

namespace {

// A run that follows another in a burst (a flood of requests keeps the
// thread reading a large queue again and again) goes on a few steps below the
// main loop's priority, which leaves the main loop the processor when it
// needs it. A lone run, such as the first load, keeps the host's priority and
// so never waits behind other programs on a busy machine.
constexpr int burstPrioritySteps = 5;

// The runs under way in the whole program, of tasks alive or gone.
struct RunCount {
    std::mutex mutex;
    std::condition_variable ended;
    int running = 0;
};

RunCount& runCount() {
    // Never destroyed: a run may end while the program exits.
    static auto* const count = new RunCount;
    return *count;
}

// In the main loop: does what the runs returned. The results pass from the
// runs' threads under the state's own lock, never through GLib's, so that
// the thread checker sees the hand-over.
gboolean deliverResults(gpointer data) {
    auto* state = static_cast<CoalescingTask::State*>(data);
    std::deque<std::function<void()>> arrived;
    {
        const std::lock_guard lock(state->mutex);
        arrived.swap(state->results);
    }
    for (auto& result : arrived) {
        if (result) {
            result();
        }
    }
    return G_SOURCE_CONTINUE;
}

gboolean dispatchWake(GSource* source, GSourceFunc callback, gpointer data) {
    g_source_set_ready_time(source, -1);
    return callback(data);
}

GSourceFuncs wakeFunctions = {nullptr, nullptr, dispatchWake, nullptr, nullptr, nullptr};

} // namespace

CoalescingTask::CoalescingTask(Work work, std::chrono::milliseconds spacing, GMainContext* context)
    : state_(std::make_shared<State>()) {
    state_->work = std::move(work);
    state_->spacing = spacing;
    state_->wake = g_source_new(&wakeFunctions, sizeof(GSource));
    g_source_set_callback(state_->wake, &deliverResults, state_.get(), nullptr);
    g_source_attach(state_->wake,
                    context != nullptr ? context : g_main_context_get_thread_default());
}

CoalescingTask::~CoalescingTask() {
    std::thread thread;
    {
        const std::lock_guard lock(state_->mutex);
        state_->alive = false;
        state_->again = false;
        state_->results.clear();
        thread = std::move(state_->thread);
    }
    g_source_destroy(state_->wake);
    if (thread.joinable()) {
        thread.detach();
    }
}

void CoalescingTask::request() {
    std::thread finished;
    {
        const std::lock_guard lock(state_->mutex);
        if (state_->running) {
            state_->again = true;
            return;
        }
        state_->running = true;
        // The previous run's thread has left its loop and touches nothing
        // more; waiting for it to end would wait for a thread of lower
        // priority to be scheduled.
        finished = std::move(state_->thread);
        {
            const std::lock_guard counting(runCount().mutex);
            ++runCount().running;
        }
        state_->thread = std::thread([state = state_] {
            bool yielding = false;
            for (;;) {
                std::this_thread::sleep_until(state->lastStart + state->spacing);
                state->lastStart = std::chrono::steady_clock::now();
                auto result = state->work();
                {
                    const std::lock_guard lock(state->mutex);
                    if (state->alive) {
                        state->results.push_back(std::move(result));
                        g_source_set_ready_time(state->wake, 0);
                    }
                    if (state->again) {
                        state->again = false;
                        if (!yielding) {
                            yielding = true;
                            lowerThisThreadsPriority(burstPrioritySteps);
                        }
                        continue;
                    }
                    state->running = false;
                }
                result = nullptr;
                const std::lock_guard counting(runCount().mutex);
                --runCount().running;
                runCount().ended.notify_all();
                return;
            }
        });
    }
    if (finished.joinable()) {
        finished.detach();
    }
}

bool CoalescingTask::waitForAllRuns(std::chrono::milliseconds budget) {
    std::unique_lock lock(runCount().mutex);
    return runCount().ended.wait_for(lock, budget, [] { return runCount().running == 0; });
}

bool CoalescingTask::busy() const {
    const std::lock_guard lock(state_->mutex);
    return state_->running;
}

} // namespace tandry
