#pragma once

#include <functional>
#include <memory>

typedef struct _GMainContext GMainContext;

namespace tandry {

// Work that must not block the main loop (reading a queue of thousands of
// parked ticks, loading a timeline), run on a thread of its own and at most
// one run at a time: requests that arrive while a run is under way are
// answered by one more run after it, so a burst of any size costs at most
// two runs. What a run returns is done in the main loop, unless the task is
// gone by then.
class CoalescingTask {
public:
    // Runs off the main thread; the function it returns runs in the main loop.
    using Work = std::function<std::function<void()>()>;

    // The main loop is that of `context`, by default the calling thread's.
    explicit CoalescingTask(Work work, GMainContext* context = nullptr);
    // Waits for a run under way to end; what it returns is dropped.
    ~CoalescingTask();
    CoalescingTask(const CoalescingTask&) = delete;
    CoalescingTask& operator=(const CoalescingTask&) = delete;

    // Asks for a run: one starts now, or once the one under way has ended.
    void request();

    // Whether a run is under way or asked for.
    bool busy() const;

    // What the runs and their results share; the task's own business.
    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace tandry
