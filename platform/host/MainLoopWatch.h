#pragma once

#include <chrono>
#include <functional>

typedef struct _GSource GSource;

namespace tandry {

// Measures how long each iteration of the thread-default main context spends
// dispatching, from the end of its poll to the start of the next iteration:
// the time the loop can neither draw nor answer. Iterations that take at
// least `threshold` are handed to `report`, on the loop's own thread, with
// the part of that time the thread ran on a processor (the rest it waited
// for one, or for a lock).
class MainLoopWatch {
public:
    using Report =
        std::function<void(std::chrono::microseconds spent, std::chrono::microseconds running)>;

    MainLoopWatch(std::chrono::microseconds threshold, Report report);
    ~MainLoopWatch();
    MainLoopWatch(const MainLoopWatch&) = delete;
    MainLoopWatch& operator=(const MainLoopWatch&) = delete;

    struct Source;

private:
    GSource* source_;
};

} // namespace tandry
