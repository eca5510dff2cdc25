#pragma once

#include "platform/GLibOwnership.h"
#include "widget/intents/ReloadChannel.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace tandry {

// The host's own reload channel, for intents performed on worker threads:
// each request is carried to
// the main loop and handed to `receiver` there, so the scheduler is only ever
// touched by the thread that owns it. Requests made before the main loop
// gets to them arrive together, each kind once.
class MainLoopReloadChannel final : public ReloadChannel {
public:
    using Receiver = std::function<void(const std::string& kind)>;

    // `receiver` runs on the thread that iterates `context` (the thread-default
    // main context of the caller when null), for as long as the channel lives.
    MainLoopReloadChannel(Receiver receiver, GMainContext* context = nullptr);
    // Requests still queued on the context are dropped. Destroy the channel
    // on the thread that iterates the context, so that no receiver is
    // running meanwhile.
    ~MainLoopReloadChannel() override;
    MainLoopReloadChannel(const MainLoopReloadChannel&) = delete;
    MainLoopReloadChannel& operator=(const MainLoopReloadChannel&) = delete;

    // Safe from any thread.
    void reloadTimelines(std::string_view kind) override;

    struct Pending;

private:
    // Shared with the queued delivery, which may run after the channel is
    // gone and then finds no receiver.
    std::shared_ptr<Pending> pending_;
    GMainContextPtr context_;
};

} // namespace tandry
