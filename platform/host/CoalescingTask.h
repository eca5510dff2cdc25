#pragma once

#include <chrono>
#include <functional>
#include <memory>

typedef struct _GMainContext GMainContext;

namespace tandry {

// Work that must not block the main loop (reading a queue of thousands of
// parked ticks, loading a timeline), run on a thread of its own and at most
// one run at a time: requests that arrive while a run is under way are
// answered by one more run after it, so a burst of any size costs at most
// two runs. What a run returns is done in the main loop, unless the task is
// gone by then. The runs that follow one another in a burst yield the
// processor to the main loop.
//
// A task that goes away does not wait for a run under way (a queue of
// 100,000 ticks takes a second to read, and a host asked to quit must not),
// so the work may use only what it owns: values it captured, never the
// object that made the task.
class CoalescingTask {
public:
    // Runs off the main thread; the function it returns runs in the main loop.
    using Work = std::function<std::function<void()>()>;

    // Runs start at least `spacing` apart, so that a stream of requests costs
    // a run per `spacing` at most; one asked for after a quiet spell starts
    // at once. The main loop is that of `context`, by default the calling
    // thread's.
    explicit CoalescingTask(Work work,
                            std::chrono::milliseconds spacing = std::chrono::milliseconds(0),
                            GMainContext* context = nullptr);
    // A run under way ends on its own; what it returns is dropped.
    ~CoalescingTask();
    CoalescingTask(const CoalescingTask&) = delete;
    CoalescingTask& operator=(const CoalescingTask&) = delete;

    // Asks for a run: one starts now, or once the one under way has ended.
    void request();

    // Whether a run is under way or asked for.
    bool busy() const;

    // Waits up to `budget` for the runs of every task, gone or not, to end;
    // whether they all did. A program ends only then: the static objects of
    // the libraries a run uses (a JSON parser's, say) go when it exits, and
    // must not go under a run still reading.
    static bool waitForAllRuns(std::chrono::milliseconds budget);

    // What the runs and their results share; the task's own business.
    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace tandry
