#include "platform/host/CoalescingTask.h"

#include "platform/host/BackgroundPriority.h"

#include <glib.h>
#include <mutex>
#include <thread>

namespace tandry {

struct CoalescingTask::State {
    Work work;
    std::chrono::milliseconds spacing{0};
    GMainContext* context = nullptr;
    // When the last run started; read and written by the runs' threads, one at a time.
    std::chrono::steady_clock::time_point lastStart;
    // Read and written in the main loop only, where results are delivered.
    bool alive = true;

    mutable std::mutex mutex;
    bool running = false;
    bool again = false;
    std::thread thread;

    ~State() { g_main_context_unref(context); }
};

namespace {

// One result on its way to the main loop; it keeps the state it checks.
struct Delivery {
    std::shared_ptr<CoalescingTask::State> state;
    std::function<void()> result;
};

// Hands a result to the main loop, which runs it when it next iterates:
// always from there, never on the thread that made it, even while no loop
// owns the context.
void deliver(Delivery* delivery) {
    GSource* source = g_idle_source_new();
    g_source_set_priority(source, G_PRIORITY_DEFAULT);
    g_source_set_callback(
        source,
        [](gpointer data) -> gboolean {
            auto* arrived = static_cast<Delivery*>(data);
            if (arrived->state->alive && arrived->result) {
                arrived->result();
            }
            return G_SOURCE_REMOVE;
        },
        delivery, [](gpointer data) { delete static_cast<Delivery*>(data); });
    g_source_attach(source, delivery->state->context);
    g_source_unref(source);
}

} // namespace

CoalescingTask::CoalescingTask(Work work, std::chrono::milliseconds spacing, GMainContext* context)
    : state_(std::make_shared<State>()) {
    state_->work = std::move(work);
    state_->spacing = spacing;
    state_->context =
        context != nullptr ? g_main_context_ref(context) : g_main_context_ref_thread_default();
}

CoalescingTask::~CoalescingTask() {
    std::thread thread;
    {
        const std::lock_guard lock(state_->mutex);
        state_->alive = false;
        state_->again = false;
        thread = std::move(state_->thread);
    }
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
        // The previous run's thread has left its loop and ends at once.
        finished = std::move(state_->thread);
        state_->thread = std::thread([state = state_] {
            lowerThisThreadsPriority();
            for (;;) {
                std::this_thread::sleep_until(state->lastStart + state->spacing);
                state->lastStart = std::chrono::steady_clock::now();
                deliver(new Delivery{state, state->work()});
                const std::lock_guard lock(state->mutex);
                if (!state->again) {
                    state->running = false;
                    return;
                }
                state->again = false;
            }
        });
    }
    if (finished.joinable()) {
        finished.join();
    }
}

bool CoalescingTask::busy() const {
    const std::lock_guard lock(state_->mutex);
    return state_->running;
}

} // namespace tandry
