#include "platform/host/PlainDesktopBackend.h"

#include <gtk/gtk.h>

namespace tandry {

void PlainDesktopBackend::prepare(GtkWindow*, render::Size, std::optional<ScreenPosition>) {}

bool PlainDesktopBackend::beginMove(GtkWindow* window, const DragStart& drag) {
    return beginToplevelMove(window, drag);
}

std::optional<ScreenPosition> PlainDesktopBackend::pointer() const {
    return std::nullopt;
}

void PlainDesktopBackend::moveTo(GtkWindow*, ScreenPosition) {}

std::optional<ScreenPosition> PlainDesktopBackend::position(GtkWindow*) const {
    return std::nullopt;
}

std::vector<WorkArea> PlainDesktopBackend::workAreas() const {
    return {};
}

bool beginToplevelMove(GtkWindow* window, const DragStart& drag) {
    GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window));
    if (surface == nullptr || !GDK_IS_TOPLEVEL(surface) || drag.device == nullptr) {
        return false;
    }
    gdk_toplevel_begin_move(GDK_TOPLEVEL(surface), drag.device, drag.button, drag.x, drag.y,
                            drag.time);
    return true;
}

} // namespace tandry
