#include "platform/host/DesktopBackendChoice.h"

#include "platform/host/PlainDesktopBackend.h"
#include "platform/host/x11/X11DesktopBackend.h"

#include <gtk/gtk.h>

namespace tandry {

void preferDesktopWindowSystems() {
    gdk_set_allowed_backends("x11,wayland");
}

std::unique_ptr<DesktopBackend> chooseDesktopBackend(GdkDisplay* display) {
    if (auto x11 = openX11DesktopBackend(display)) {
        return x11;
    }
    return std::make_unique<PlainDesktopBackend>();
}

} // namespace tandry
