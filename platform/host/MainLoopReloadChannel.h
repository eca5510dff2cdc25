#pragma once

#include "platform/GLibOwnership.h"
#include "widget/intents/ReloadChannel.h"

#include <functional>
#include <string>

namespace tandry {

// The host's own reload channel, for intents performed on worker threads:
// each request is carried to the main loop and handed to `receiver` there,
// so the scheduler is only ever touched by the thread that owns it.
class MainLoopReloadChannel final : public ReloadChannel {
public:
    using Receiver = std::function<void(const std::string& kind)>;

    // `receiver` runs on the thread that iterates `context` (the thread-default
    // main context of the caller when null) and must outlive every request.
    MainLoopReloadChannel(Receiver receiver, GMainContext* context = nullptr);
    ~MainLoopReloadChannel() override;
    MainLoopReloadChannel(const MainLoopReloadChannel&) = delete;
    MainLoopReloadChannel& operator=(const MainLoopReloadChannel&) = delete;

    void reloadTimelines(std::string_view kind) override;

private:
    Receiver receiver_;
    GMainContextPtr context_;
};

} // namespace tandry
