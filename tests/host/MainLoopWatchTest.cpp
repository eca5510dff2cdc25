#include "platform/host/MainLoopWatch.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <vector>

namespace tandry {
namespace {

TEST(MainLoopWatch, ReportsTheIterationsThatDispatchForTooLong) {
    GMainContext* context = g_main_context_new();
    g_main_context_push_thread_default(context);
    std::vector<std::chrono::microseconds> reported;
    {
        MainLoopWatch watch(
            std::chrono::milliseconds(2),
            [&reported](std::chrono::microseconds spent, std::chrono::microseconds running) {
                EXPECT_LE(running, spent);
                reported.push_back(spent);
            });
        const auto attach = [context](GSourceFunc work) {
            GSource* idle = g_idle_source_new();
            g_source_set_callback(idle, work, nullptr, nullptr);
            g_source_attach(idle, context);
            g_source_unref(idle);
        };
        attach([](gpointer) { return G_SOURCE_REMOVE; });
        attach([](gpointer) {
            g_usleep(6000);
            return G_SOURCE_REMOVE;
        });
        // One iteration runs both idles; the next one begins after them.
        g_main_context_iteration(context, FALSE);
        g_main_context_iteration(context, FALSE);
        attach([](gpointer) { return G_SOURCE_REMOVE; });
        g_main_context_iteration(context, FALSE);
        g_main_context_iteration(context, FALSE);
    }
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_GE(reported.front(), std::chrono::milliseconds(6));
    g_main_context_pop_thread_default(context);
    g_main_context_unref(context);
}

} // namespace
} // namespace tandry
