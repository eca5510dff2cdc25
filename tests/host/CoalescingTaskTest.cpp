#include "platform/host/CoalescingTask.h"

#include <atomic>
#include <chrono>
#include <glib.h>
#include <gtest/gtest.h>
#include <thread>

namespace tandry {
namespace {

using namespace std::chrono_literals;

// Runs the default main loop until `done` holds, or a few seconds passed.
void iterateUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        g_main_context_iteration(nullptr, FALSE);
        std::this_thread::sleep_for(1ms);
    }
}

// A burst of requests while a slow run is under way costs one more run, not
// one each, and every result arrives in the main loop, in order.
TEST(CoalescingTask, AnswersABurstWithAtMostOneMoreRun) {
    std::atomic<int> runs{0};
    std::atomic<bool> release{false};
    std::vector<int> delivered;
    const std::thread::id mainThread = std::this_thread::get_id();
    CoalescingTask task([&]() -> std::function<void()> {
        const int run = ++runs;
        while (run == 1 && !release) {
            std::this_thread::sleep_for(1ms);
        }
        return [&, run] {
            EXPECT_EQ(std::this_thread::get_id(), mainThread);
            delivered.push_back(run);
        };
    });
    task.request();
    for (int request = 0; request < 1000; ++request) {
        task.request();
    }
    EXPECT_TRUE(task.busy());
    release = true;
    iterateUntil([&] { return delivered.size() == 2 && !task.busy(); });
    EXPECT_EQ(delivered, (std::vector<int>{1, 2}));
    EXPECT_EQ(runs, 2);

    // Idle again: the next request is a run of its own.
    task.request();
    iterateUntil([&] { return delivered.size() == 3; });
    EXPECT_EQ(delivered, (std::vector<int>{1, 2, 3}));
}

// A task that goes away while its run is under way does not wait for it,
// and drops what it returns: nothing runs in the main loop afterwards, and
// the run asked for after it never starts.
TEST(CoalescingTask, LeavesARunUnderWayAndDropsItsResult) {
    auto runs = std::make_shared<std::atomic<int>>(0);
    auto finished = std::make_shared<std::atomic<bool>>(false);
    bool delivered = false;
    const auto started = std::chrono::steady_clock::now();
    {
        CoalescingTask task([runs, finished, &delivered]() -> std::function<void()> {
            ++*runs;
            std::this_thread::sleep_for(200ms);
            *finished = true;
            return [&delivered] { delivered = true; };
        });
        task.request();
        task.request();
        while (*runs == 0) {
            std::this_thread::sleep_for(1ms);
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 150ms) << "waited for the run";
    while (!*finished) {
        std::this_thread::sleep_for(1ms);
    }
    for (int iteration = 0; iteration < 100; ++iteration) {
        g_main_context_iteration(nullptr, FALSE);
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_FALSE(delivered);
    EXPECT_EQ(*runs, 1);
}

} // namespace
} // namespace tandry
