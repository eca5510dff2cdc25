#include "platform/host/BusActionQueue.h"

#include "platform/GLibOwnership.h"
#include "platform/host/HostBus.h"

#include <deque>
#include <gio/gio.h>
#include <mutex>
#include <optional>
#include <string_view>

namespace tandry {
namespace {

// One request taken off the bus, with the call to answer when the caller
// waits for an answer.
struct QueuedAction {
    std::string action;
    std::string parameter;
    GObjectPtr<GDBusMessage> call;
};

std::string_view orEmpty(const char* text) {
    return text != nullptr ? text : "";
}

// The action and its one text parameter, for a call that activates the tick
// or the reload action; nothing for any other message.
std::optional<QueuedAction> queuedAction(GDBusMessage* message) {
    if (g_dbus_message_get_message_type(message) != G_DBUS_MESSAGE_TYPE_METHOD_CALL ||
        orEmpty(g_dbus_message_get_path(message)) != hostObjectPath) {
        return std::nullopt;
    }
    const std::string_view interface = orEmpty(g_dbus_message_get_interface(message));
    const std::string_view member = orEmpty(g_dbus_message_get_member(message));
    GVariant* body = g_dbus_message_get_body(message);
    const bool activates =
        (interface == "org.freedesktop.Application" && member == "ActivateAction") ||
        (interface == "org.gtk.Actions" && member == "Activate");
    if (!activates || body == nullptr ||
        !g_variant_is_of_type(body, G_VARIANT_TYPE("(sava{sv})"))) {
        return std::nullopt;
    }
    const gchar* name = nullptr;
    GVariantIter* parameters = nullptr;
    g_variant_get(body, "(&sav@a{sv})", &name, &parameters, nullptr);
    const Owned<GVariantIter, g_variant_iter_free> ownedParameters(parameters);
    const std::string_view action = name;
    if ((action != tickActionName && action != reloadActionName) ||
        g_variant_iter_n_children(parameters) != 1) {
        return std::nullopt;
    }
    const GVariantPtr parameter(g_variant_iter_next_value(parameters));
    const GVariantPtr value(g_variant_get_variant(parameter.get()));
    if (!g_variant_is_of_type(value.get(), G_VARIANT_TYPE_STRING)) {
        return std::nullopt;
    }
    return QueuedAction{std::string(action), g_variant_get_string(value.get(), nullptr), {}};
}

} // namespace

struct BusActionQueue::State {
    std::mutex mutex;
    std::deque<QueuedAction> queued;
    // Ready while requests are queued; runs on the main loop.
    GSource* wake = nullptr;
    bool accepting = true;
    Handler handler;
    std::chrono::microseconds slice{};
    GDBusConnection* connection = nullptr;

    // Runs one request on the main loop and answers it.
    void run(QueuedAction& request) const {
        handler(request.action, request.parameter);
        if (request.call) {
            const GObjectPtr<GDBusMessage> reply(
                g_dbus_message_new_method_reply(request.call.get()));
            g_dbus_connection_send_message(connection, reply.get(), G_DBUS_SEND_MESSAGE_FLAGS_NONE,
                                           nullptr, nullptr);
        }
    }

    std::optional<QueuedAction> next() {
        const std::lock_guard lock(mutex);
        if (queued.empty()) {
            g_source_set_ready_time(wake, -1);
            return std::nullopt;
        }
        QueuedAction request = std::move(queued.front());
        queued.pop_front();
        return request;
    }
};

namespace {

using State = BusActionQueue::State;

// On the bus's thread, for every message that arrives.
GDBusMessage* takeAction(GDBusConnection*, GDBusMessage* message, gboolean incoming,
                         gpointer data) {
    if (!incoming) {
        return message;
    }
    std::optional<QueuedAction> request = queuedAction(message);
    if (!request) {
        return message;
    }
    auto& state = **static_cast<std::shared_ptr<State>*>(data);
    const std::lock_guard lock(state.mutex);
    if (!state.accepting) {
        return message;
    }
    // The queue takes over the filter's reference to the message.
    if ((g_dbus_message_get_flags(message) & G_DBUS_MESSAGE_FLAGS_NO_REPLY_EXPECTED) == 0) {
        request->call.reset(message);
    } else {
        g_object_unref(message);
    }
    if (state.queued.empty()) {
        g_source_set_ready_time(state.wake, 0);
    }
    state.queued.push_back(std::move(*request));
    return nullptr;
}

// On the main loop: one slice of the queued requests, at least one.
gboolean runSlice(gpointer data) {
    auto& state = *static_cast<State*>(data);
    const gint64 until = g_get_monotonic_time() + state.slice.count();
    do {
        std::optional<QueuedAction> request = state.next();
        if (!request) {
            break;
        }
        state.run(*request);
    } while (g_get_monotonic_time() < until);
    return G_SOURCE_CONTINUE;
}

gboolean dispatchSlice(GSource*, GSourceFunc callback, gpointer data) {
    return callback(data);
}

GSourceFuncs sliceFunctions = {nullptr, nullptr, dispatchSlice, nullptr, nullptr, nullptr};

} // namespace

BusActionQueue::BusActionQueue(GDBusConnection* connection, Handler handler,
                               std::chrono::microseconds slice)
    : connection_(connection), state_(std::make_shared<State>()) {
    state_->handler = std::move(handler);
    state_->slice = slice;
    state_->connection = connection;
    state_->wake = g_source_new(&sliceFunctions, sizeof(GSource));
    g_source_set_callback(state_->wake, &runSlice, state_.get(), nullptr);
    g_source_attach(state_->wake, g_main_context_get_thread_default());
    filterId_ = g_dbus_connection_add_filter(
        connection, &takeAction, new std::shared_ptr<State>(state_),
        [](gpointer data) { delete static_cast<std::shared_ptr<State>*>(data); });
}

BusActionQueue::~BusActionQueue() {
    g_dbus_connection_remove_filter(connection_, filterId_);
    {
        // The filter may be running on the bus's thread; once it has let go
        // of the lock, it queues nothing more.
        const std::lock_guard lock(state_->mutex);
        state_->accepting = false;
    }
    while (std::optional<QueuedAction> request = state_->next()) {
        state_->run(*request);
    }
    g_source_destroy(state_->wake);
    g_source_unref(state_->wake);
}

} // namespace tandry
