#include "platform/host/BusReloadChannel.h"

#include "platform/host/GObjectPtr.h"
#include "platform/host/HostBus.h"

#include <cstdlib>
#include <filesystem>
#include <gio/gio.h>
#include <string>

namespace tandry {
namespace {

constexpr int callTimeoutMilliseconds = 2000;

// Whether a session bus can be reached without starting one: GIO would
// otherwise fall back to launching a bus of its own for this process.
bool sessionBusConfigured() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address) {
        return true;
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    return runtime && *runtime &&
           std::filesystem::is_socket(std::filesystem::path(runtime) / "bus", error);
}

} // namespace

void BusReloadChannel::reloadTimelines(std::string_view kind) {
    if (!sessionBusConfigured()) {
        return;
    }
    const GObjectPtr<GDBusConnection> connection(
        g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
    if (connection == nullptr) {
        return;
    }
    // org.freedesktop.Application.ActivateAction(action, [parameter], platform data)
    GVariantBuilder parameters;
    g_variant_builder_init(&parameters, G_VARIANT_TYPE("av"));
    const std::string kindText(kind);
    g_variant_builder_add(&parameters, "v", g_variant_new_string(kindText.c_str()));
    GVariantBuilder platformData;
    g_variant_builder_init(&platformData, G_VARIANT_TYPE("a{sv}"));

    GVariant* reply = g_dbus_connection_call_sync(
        connection.get(), hostApplicationId, hostObjectPath, "org.freedesktop.Application",
        "ActivateAction", g_variant_new("(sava{sv})", reloadActionName, &parameters, &platformData),
        nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMilliseconds, nullptr, nullptr);
    // No reply means no host (or one that did not answer): nothing to reload.
    if (reply != nullptr) {
        g_variant_unref(reply);
    }
}

} // namespace tandry
