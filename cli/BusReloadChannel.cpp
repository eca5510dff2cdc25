#include "cli/BusReloadChannel.h"

#include "platform/host/HostBus.h"
#include "widget/system/SystemdLibrary.h"

#include <cstdint>
#include <optional>
#include <string>
#include <systemd/sd-bus.h>

namespace tandry {
namespace {

constexpr std::uint64_t callTimeoutMicroseconds = 2'000'000;

// The calls of libsystemd's bus client that one reload needs.
struct BusLibrary {
    decltype(&sd_bus_open_user) openUser = nullptr;
    decltype(&sd_bus_message_new_method_call) newMethodCall = nullptr;
    decltype(&sd_bus_message_set_auto_start) setAutoStart = nullptr;
    decltype(&sd_bus_message_append) append = nullptr;
    decltype(&sd_bus_call) call = nullptr;
    decltype(&sd_bus_message_unref) unrefMessage = nullptr;
    decltype(&sd_bus_error_free) freeError = nullptr;
    decltype(&sd_bus_flush_close_unref) close = nullptr;
};

template <typename Function> bool resolve(const char* name, Function& function) {
    function = SystemdLibrary::function<Function>(name);
    return function != nullptr;
}

// Null where libsystemd or one of its calls is missing.
const BusLibrary* busLibrary() {
    static const std::optional<BusLibrary> loaded = []() -> std::optional<BusLibrary> {
        BusLibrary bus;
        if (!resolve("sd_bus_open_user", bus.openUser) ||
            !resolve("sd_bus_message_new_method_call", bus.newMethodCall) ||
            !resolve("sd_bus_message_set_auto_start", bus.setAutoStart) ||
            !resolve("sd_bus_message_append", bus.append) || !resolve("sd_bus_call", bus.call) ||
            !resolve("sd_bus_message_unref", bus.unrefMessage) ||
            !resolve("sd_bus_error_free", bus.freeError) ||
            !resolve("sd_bus_flush_close_unref", bus.close)) {
            return std::nullopt;
        }
        return bus;
    }();
    return loaded ? &*loaded : nullptr;
}

} // namespace

void BusReloadChannel::reloadTimelines(std::string_view kind) {
    const BusLibrary* bus = busLibrary();
    if (bus == nullptr) {
        return;
    }
    // The session bus from DBUS_SESSION_BUS_ADDRESS, else the user's bus
    // socket in XDG_RUNTIME_DIR; no bus is launched for this process.
    sd_bus* connection = nullptr;
    if (bus->openUser(&connection) < 0) {
        return;
    }
    // org.freedesktop.Application.ActivateAction(action, [parameter], platform data)
    sd_bus_message* message = nullptr;
    const std::string kindText(kind);
    bool built =
        bus->newMethodCall(connection, &message, hostApplicationId, hostObjectPath,
                           "org.freedesktop.Application", "ActivateAction") >= 0 &&
        bus->setAutoStart(message, 0) >= 0 &&
        bus->append(message, "sava{sv}", reloadActionName, 1, "s", kindText.c_str(), 0) >= 0;
    // No reply means no host (or one that did not answer): nothing to reload.
    if (built) {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        sd_bus_message* reply = nullptr;
        bus->call(connection, message, callTimeoutMicroseconds, &error, &reply);
        bus->unrefMessage(reply);
        bus->freeError(&error);
    }
    bus->unrefMessage(message);
    bus->close(connection);
}

} // namespace tandry
