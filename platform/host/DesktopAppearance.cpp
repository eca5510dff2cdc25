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
GVariantPtr unwrapped(GVariant* value) {
    GVariantPtr current(g_variant_ref(value));
    while (g_variant_is_of_type(current.get(), G_VARIANT_TYPE_VARIANT)) {
        current.reset(g_variant_get_variant(current.get()));
    }
    return current;
}

} // namespace

ColorScheme colorSchemeForPortalValue(unsigned value) {
    return value == 1 ? ColorScheme::dark : ColorScheme::light;
}

struct DesktopAppearance::Callbacks {
    static void read(GObject* source, GAsyncResult* result, gpointer data) {
        GErrorPtr error;
        const GVariantPtr reply(
            g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, out(error)));
        if (reply == nullptr) {
            // Cancelled (the host is going away, `data` with it) or no
            // portal: the light default stays.
            if (!g_error_matches(error.get(), G_IO_ERROR, G_IO_ERROR_CANCELLED)) {
                auto* self = static_cast<DesktopAppearance*>(data);
                self->changed_(self->scheme_);
            }
            return;
        }
        // The variadic getter fills a plain pointer, owned from the next line on.
        GVariant* value = nullptr;
        g_variant_get(reply.get(), "(v)", &value);
        const GVariantPtr owned(value);
        static_cast<DesktopAppearance*>(data)->adopt(owned.get());
    }

    static void settingChanged(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                               const gchar*, GVariant* parameters, gpointer data) {
        const char* space = nullptr;
        const char* key = nullptr;
        GVariant* value = nullptr;
        g_variant_get(parameters, "(&s&sv)", &space, &key, &value);
        const GVariantPtr owned(value);
        if (std::strcmp(space, appearanceNamespace) == 0 && std::strcmp(key, colorSchemeKey) == 0) {
            static_cast<DesktopAppearance*>(data)->adopt(owned.get());
        }
    }
};

DesktopAppearance::DesktopAppearance(GDBusConnection* sessionBus, Handler changed)
    : changed_(std::move(changed)) {
    if (sessionBus == nullptr) {
        return;
    }
    bus_ = addReference(sessionBus);
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
    const GVariantPtr plain = unwrapped(value);
    unsigned number = 0;
    if (g_variant_is_of_type(plain.get(), G_VARIANT_TYPE_UINT32)) {
        number = g_variant_get_uint32(plain.get());
    }
    scheme_ = colorSchemeForPortalValue(number);
    changed_(scheme_);
}

} // namespace tandry
