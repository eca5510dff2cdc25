#pragma once

#include "platform/GLibOwnership.h"
#include "widget/intents/ReloadChannel.h"

#include <functional>
#include <memory>
#include <string>

namespace tandry {

// The host's own reload channel, for intents performed on worker threads:
// each request is carried to the main loop and handed to `receiver` there,
// so the scheduler is only ever touched by the thread that owns it.
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

    void reloadTimelines(std::string_view kind) override;

private:
    // Shared with the queued requests, which hold it weakly: one that runs
    // after the channel is gone finds it expired and does nothing.
    std::shared_ptr<const Receiver> receiver_;
    GMainContextPtr context_;
};

} // namespace tandry
