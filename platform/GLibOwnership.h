#pragma once

#include <cairo.h>
#include <glib-object.h>
#include <glib.h>
#include <memory>
#include <pango/pango.h>
#include <utility>

// Ownership of the GLib, GObject, Cairo, Pango and X11 resources the platform
// code holds, one way for all of them: an owning pointer whose deleter gives
// the resource back the way its library says, and a signal connection that
// ends with its owner, so that none is freed, unreferenced or disconnected by
// hand.

namespace tandry {

// Gives a resource back with `release`.
template <auto release> struct ReleaseWith {
    template <typename T> void operator()(T* resource) const { release(resource); }
};

// Owns one C resource that `release` gives back (any library's: the X11
// backend names its own with it).
template <typename T, auto release> using Owned = std::unique_ptr<T, ReleaseWith<release>>;

// One owned reference to a GObject. It takes over a reference the caller
// already owns: a new object (after g_object_ref_sink for a floating one) or
// a result returned in full.
template <typename T> using GObjectPtr = Owned<T, g_object_unref>;

// A new reference to an object someone else owns.
template <typename T> GObjectPtr<T> addReference(T* object) {
    return GObjectPtr<T>(static_cast<T*>(g_object_ref(object)));
}

// Lets a C function that hands back a resource through a pointer to a
// pointer (a GError**, most often) fill an owning pointer: the resource is
// owned from the end of the full expression that holds the call on.
//
//   GErrorPtr error;
//   if (!g_key_file_save_to_file(file, path, out(error))) { ... error->message ... }
//
// Not for variadic functions, which would be handed the adapter itself.
template <typename T, auto release> class OutPointer {
public:
    explicit OutPointer(Owned<T, release>& owner) : owner_(owner) {}
    ~OutPointer() { owner_.reset(raw_); }
    OutPointer(const OutPointer&) = delete;
    OutPointer& operator=(const OutPointer&) = delete;
    operator T**() { return &raw_; }

private:
    Owned<T, release>& owner_;
    T* raw_ = nullptr;
};

template <typename T, auto release> OutPointer<T, release> out(Owned<T, release>& owner) {
    return OutPointer<T, release>(owner);
}

using GCharPtr = Owned<gchar, g_free>;
using GErrorPtr = Owned<GError, g_error_free>;
using GKeyFilePtr = Owned<GKeyFile, g_key_file_unref>;
using GMainContextPtr = Owned<GMainContext, g_main_context_unref>;
using GVariantPtr = Owned<GVariant, g_variant_unref>;

using CairoPtr = Owned<cairo_t, cairo_destroy>;
using CairoSurfacePtr = Owned<cairo_surface_t, cairo_surface_destroy>;
using CairoFontOptionsPtr = Owned<cairo_font_options_t, cairo_font_options_destroy>;

using PangoFontDescriptionPtr = Owned<PangoFontDescription, pango_font_description_free>;
using PangoFontMetricsPtr = Owned<PangoFontMetrics, pango_font_metrics_unref>;

// A handler connected to a signal of an object, disconnected when the
// connection goes or is reset, so that no handler runs for an owner that is
// gone. It keeps the object alive until then, so that disconnecting never
// reaches a finalized object.
class SignalConnection {
public:
    SignalConnection() = default;
    // Takes over the handler `id` (what g_signal_connect returned) on `instance`.
    SignalConnection(gpointer instance, gulong id)
        : instance_(static_cast<GObject*>(g_object_ref(instance))), id_(id) {}
    ~SignalConnection() { reset(); }

    // Connects `handler` to `signal` of `instance`, called with `data`.
    static SignalConnection connect(gpointer instance, const char* signal, GCallback handler,
                                    gpointer data) {
        return SignalConnection(instance, g_signal_connect(instance, signal, handler, data));
    }

    SignalConnection(SignalConnection&& other) noexcept
        : instance_(std::move(other.instance_)), id_(std::exchange(other.id_, 0)) {}
    SignalConnection& operator=(SignalConnection&& other) noexcept {
        if (this != &other) {
            reset();
            instance_ = std::move(other.instance_);
            id_ = std::exchange(other.id_, 0);
        }
        return *this;
    }

    // Disconnects the handler now, when there is one.
    void reset() {
        if (id_ != 0) {
            g_signal_handler_disconnect(instance_.get(), id_);
            id_ = 0;
        }
        instance_.reset();
    }

private:
    GObjectPtr<GObject> instance_;
    gulong id_ = 0;
};

} // namespace tandry
