#include "platform/host/BusActionFilter.h"

#include "platform/GLibOwnership.h"
#include "platform/host/HostBus.h"

#include <gio/gio.h>
#include <mutex>
#include <optional>
#include <string_view>

namespace tandry {

struct BusActionFilter::State {
    std::mutex mutex;
    Handlers handlers;
    bool active = true;
};

namespace {

struct ActionCall {
    std::string name;
    std::string parameter;
};

// The action and its one text parameter, for a call that activates an
// action with one; nothing for any other message.
std::optional<ActionCall> actionCall(GDBusMessage* message) {
    if (g_dbus_message_get_message_type(message) != G_DBUS_MESSAGE_TYPE_METHOD_CALL ||
        g_strcmp0(g_dbus_message_get_path(message), hostObjectPath) != 0) {
        return std::nullopt;
    }
    const std::string_view interface = g_dbus_message_get_interface(message) != nullptr
                                           ? g_dbus_message_get_interface(message)
                                           : "";
    const std::string_view member =
        g_dbus_message_get_member(message) != nullptr ? g_dbus_message_get_member(message) : "";
    const bool activates = (interface == "org.gtk.Actions" && member == "Activate") ||
                           (interface == "org.freedesktop.Application" &&
                            member == "ActivateAction");
    GVariant* body = g_dbus_message_get_body(message);
    if (!activates || body == nullptr ||
        !g_variant_is_of_type(body, G_VARIANT_TYPE("(sava{sv})"))) {
        return std::nullopt;
    }
    const gchar* name = nullptr;
    GVariantIter* parameters = nullptr;
    g_variant_get(body, "(&sav@a{sv})", &name, &parameters, nullptr);
    const Owned<GVariantIter, g_variant_iter_free> ownedParameters(parameters);
    if (g_variant_iter_n_children(parameters) != 1) {
        return std::nullopt;
    }
    const Owned<GVariant, g_variant_unref> parameter(g_variant_iter_next_value(parameters));
    const Owned<GVariant, g_variant_unref> value(g_variant_get_variant(parameter.get()));
    if (!g_variant_is_of_type(value.get(), G_VARIANT_TYPE_STRING)) {
        return std::nullopt;
    }
    return ActionCall{name, g_variant_get_string(value.get(), nullptr)};
}

GDBusMessage* filter(GDBusConnection* connection, GDBusMessage* message, gboolean incoming,
                     gpointer data) {
    if (!incoming) {
        return message;
    }
    std::optional<ActionCall> call = actionCall(message);
    if (!call || (call->name != tickActionName && call->name != reloadActionName)) {
        return message;
    }
    auto& state = **static_cast<std::shared_ptr<BusActionFilter::State>*>(data);
    {
        const std::lock_guard lock(state.mutex);
        if (!state.active) {
            return message;
        }
        if (call->name == tickActionName) {
            state.handlers.tick(std::move(call->parameter));
        } else {
            state.handlers.reload(std::move(call->parameter));
        }
    }
    if ((g_dbus_message_get_flags(message) & G_DBUS_MESSAGE_FLAGS_NO_REPLY_EXPECTED) == 0) {
        const GObjectPtr<GDBusMessage> reply(g_dbus_message_new_method_reply(message));
        g_dbus_connection_send_message(connection, reply.get(), G_DBUS_SEND_MESSAGE_FLAGS_NONE,
                                       nullptr, nullptr);
    }
    g_object_unref(message);
    return nullptr;
}

} // namespace

BusActionFilter::BusActionFilter(GDBusConnection* connection, Handlers handlers)
    : connection_(connection), state_(std::make_shared<State>()) {
    state_->handlers = std::move(handlers);
    filterId_ = g_dbus_connection_add_filter(
        connection, &filter, new std::shared_ptr<State>(state_),
        [](gpointer data) { delete static_cast<std::shared_ptr<State>*>(data); });
}

BusActionFilter::~BusActionFilter() {
    g_dbus_connection_remove_filter(connection_, filterId_);
    // The filter may be running on the bus's thread; once it has let go of
    // the lock, it calls no handler again.
    const std::lock_guard lock(state_->mutex);
    state_->active = false;
}

} // namespace tandry
