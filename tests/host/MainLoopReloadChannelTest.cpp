#include "platform/host/MainLoopReloadChannel.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <memory>

namespace tandry {
namespace {

TEST(MainLoopReloadChannel, DeliversOnItsContextAndDropsWhatOutlivesIt) {
    // A context that no thread owns or has as its default: every request
    // waits there until the context is iterated, as one from a worker does.
    GMainContext* context = g_main_context_new();
    std::vector<std::string> received;
    auto channel = std::make_unique<MainLoopReloadChannel>(
        [&received](const std::string& kind) { received.push_back(kind); }, context);
    channel->reloadTimelines("First");
    EXPECT_TRUE(received.empty());
    while (g_main_context_iteration(context, FALSE)) {
    }
    EXPECT_EQ(received, std::vector<std::string>{"First"});

    channel->reloadTimelines("Second");
    channel.reset();
    while (g_main_context_iteration(context, FALSE)) {
    }
    EXPECT_EQ(received, std::vector<std::string>{"First"});
    g_main_context_unref(context);
}

TEST(MainLoopReloadChannel, CarriesAFloodOfRequestsInOneDeliveryEachKindOnce) {
    GMainContext* context = g_main_context_new();
    std::vector<std::string> received;
    MainLoopReloadChannel channel(
        [&received](const std::string& kind) { received.push_back(kind); }, context);
    for (int i = 0; i < 1000; ++i) {
        channel.reloadTimelines(i % 2 == 0 ? "Ready" : "Other");
    }
    int dispatches = 0;
    while (g_main_context_iteration(context, FALSE)) {
        ++dispatches;
    }
    EXPECT_EQ(dispatches, 1);
    EXPECT_EQ(received, (std::vector<std::string>{"Other", "Ready"}));

    // A request after the delivery gets one of its own.
    channel.reloadTimelines("Ready");
    while (g_main_context_iteration(context, FALSE)) {
    }
    EXPECT_EQ(received, (std::vector<std::string>{"Other", "Ready", "Ready"}));
    g_main_context_unref(context);
}

} // namespace
} // namespace tandry
