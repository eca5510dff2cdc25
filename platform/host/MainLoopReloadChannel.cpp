#include "platform/host/MainLoopReloadChannel.h"

#include <glib.h>

namespace tandry {
namespace {

// A request on its way to the main loop. It owns all it holds, so it may
// outlive the channel that queued it: the context frees it with release().
struct Request {
    std::weak_ptr<const MainLoopReloadChannel::Receiver> receiver;
    std::string kind;
};

gboolean deliver(gpointer data) {
    const auto* request = static_cast<Request*>(data);
    if (const auto receiver = request->receiver.lock()) {
        (*receiver)(request->kind);
    }
    return G_SOURCE_REMOVE;
}

void release(gpointer data) {
    delete static_cast<Request*>(data);
}

} // namespace

MainLoopReloadChannel::MainLoopReloadChannel(Receiver receiver, GMainContext* context)
    : receiver_(std::make_shared<const Receiver>(std::move(receiver))),
      context_(context != nullptr ? g_main_context_ref(context)
                                  : g_main_context_ref_thread_default()) {}

MainLoopReloadChannel::~MainLoopReloadChannel() = default;

void MainLoopReloadChannel::reloadTimelines(std::string_view kind) {
    g_main_context_invoke_full(context_.get(), G_PRIORITY_DEFAULT, deliver,
                               new Request{receiver_, std::string(kind)}, release);
}

} // namespace tandry
