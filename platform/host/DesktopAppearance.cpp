#include "platform/host/DesktopAppearance.h"

#include <cstring>
#include <gio/gio.h>

namespace tandry {
namespace {

constexpr const char* portalName = "org.freedesktop.portal.Desktop";
constexpr const char* portalPath = "/org/freedesktop/portal/desktop";
constexpr const char* settingsInterface = "org.freedesktop.portal.Settings";
constexpr const char* appearanceNamespace = "org.freedesktop.appearance";
constexpr const char* colorSchemeKey = "color-scheme";

// The portal's Read wraps the value in one or two variants, depending on its version.
GVariant* unwrapped(GVariant* value) {
    GVariant* current = g_variant_ref(value);
    while (g_variant_is_of_type(current, G_VARIANT_TYPE_VARIANT)) {
        GVariant* inner = g_variant_get_variant(current);
        g_variant_unref(current);
        current = inner;
    }
    return current;
}

} // namespace

ColorScheme colorSchemeForPortalValue(unsigned value) {
    return value == 1 ? ColorScheme::dark : ColorScheme::light;
}

struct DesktopAppearance::Callbacks {
    static void read(GObject* source, GAsyncResult* result, gpointer data) {
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
        if (reply == nullptr) {
            // Cancelled (the host is going away, `data` with it) or no
            // portal: the light default stays.
            const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
            g_clear_error(&error);
            if (!cancelled) {
                auto* self = static_cast<DesktopAppearance*>(data);
                self->changed_(self->scheme_);
            }
            return;
        }
        GVariant* value = nullptr;
        g_variant_get(reply, "(v)", &value);
        static_cast<DesktopAppearance*>(data)->adopt(value);
        g_variant_unref(value);
        g_variant_unref(reply);
    }

    static void settingChanged(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                               const gchar*, GVariant* parameters, gpointer data) {
        const char* space = nullptr;
        const char* key = nullptr;
        GVariant* value = nullptr;
        g_variant_get(parameters, "(&s&sv)", &space, &key, &value);
        if (std::strcmp(space, appearanceNamespace) == 0 && std::strcmp(key, colorSchemeKey) == 0) {
            static_cast<DesktopAppearance*>(data)->adopt(value);
        }
        g_variant_unref(value);
    }
};

DesktopAppearance::DesktopAppearance(GDBusConnection* sessionBus, Handler changed)
    : changed_(std::move(changed)) {
    if (sessionBus == nullptr) {
        return;
    }
    bus_.reset(G_DBUS_CONNECTION(g_object_ref(sessionBus)));
    subscription_ = g_dbus_connection_signal_subscribe(
        bus_.get(), portalName, settingsInterface, "SettingChanged", portalPath,
        appearanceNamespace, G_DBUS_SIGNAL_FLAGS_NONE, &Callbacks::settingChanged, this, nullptr);
    cancellable_.reset(g_cancellable_new());
    g_dbus_connection_call(bus_.get(), portalName, portalPath, settingsInterface, "Read",
                           g_variant_new("(ss)", appearanceNamespace, colorSchemeKey), nullptr,
                           G_DBUS_CALL_FLAGS_NONE, -1, cancellable_.get(), &Callbacks::read, this);
}

DesktopAppearance::~DesktopAppearance() {
    if (cancellable_) {
        g_cancellable_cancel(cancellable_.get());
    }
    if (subscription_ != 0) {
        g_dbus_connection_signal_unsubscribe(bus_.get(), subscription_);
    }
}

void DesktopAppearance::adopt(GVariant* value) {
    GVariant* plain = unwrapped(value);
    unsigned number = 0;
    if (g_variant_is_of_type(plain, G_VARIANT_TYPE_UINT32)) {
        number = g_variant_get_uint32(plain);
    }
    g_variant_unref(plain);
    scheme_ = colorSchemeForPortalValue(number);
    changed_(scheme_);
}

} // namespace tandry
