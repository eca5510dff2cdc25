#include "platform/host/MainLoopReloadChannel.h"

#include <glib.h>
#include <set>

namespace tandry {

// What the channel and its queued delivery share: the kinds asked for since
// the last delivery, and the receiver while the channel lives.
struct MainLoopReloadChannel::Pending {
    std::mutex mutex;
    std::set<std::string> kinds;
    Receiver receiver;
};

namespace {

gboolean deliver(gpointer data) {
    auto& pending = *static_cast<std::shared_ptr<MainLoopReloadChannel::Pending>*>(data);
    std::set<std::string> kinds;
    {
        const std::lock_guard lock(pending->mutex);
        kinds.swap(pending->kinds);
    }
    // A channel that is gone cleared the receiver; its requests are dropped.
    if (pending->receiver) {
        for (const std::string& kind : kinds) {
            pending->receiver(kind);
        }
    }
    return G_SOURCE_REMOVE;
}

void release(gpointer data) {
    delete static_cast<std::shared_ptr<MainLoopReloadChannel::Pending>*>(data);
}

} // namespace

MainLoopReloadChannel::MainLoopReloadChannel(Receiver receiver, GMainContext* context)
    : pending_(std::make_shared<Pending>()),
      context_(context != nullptr ? g_main_context_ref(context)
                                  : g_main_context_ref_thread_default()) {
    pending_->receiver = std::move(receiver);
}

MainLoopReloadChannel::~MainLoopReloadChannel() {
    const std::lock_guard lock(pending_->mutex);
    pending_->kinds.clear();
    pending_->receiver = nullptr;
}

void MainLoopReloadChannel::reloadTimelines(std::string_view kind) {
    const std::lock_guard lock(pending_->mutex);
    if (!pending_->receiver) {
        return;
    }
    // One delivery carries every request made before it runs: a flood of
    // ticks costs the main loop one wakeup, not one per tick.
    const bool delivering = !pending_->kinds.empty();
    pending_->kinds.emplace(kind);
    if (!delivering) {
        g_main_context_invoke_full(context_.get(), G_PRIORITY_DEFAULT, deliver,
                                   new std::shared_ptr<Pending>(pending_), release);
    }
}

} // namespace tandry
