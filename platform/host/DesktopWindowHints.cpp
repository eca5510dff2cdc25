#include "platform/host/DesktopWindowHints.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gdk/x11/gdkx.h>
#include <gtk/gtk.h>

namespace tandry {
namespace {

struct X11Window {
    Display* display = nullptr;
    Window window = 0;
};

std::optional<X11Window> x11Window(GtkWindow* window) {
    GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window));
    if (surface == nullptr || !GDK_IS_X11_SURFACE(surface)) {
        return std::nullopt;
    }
    GdkDisplay* display = gdk_surface_get_display(surface);
    return X11Window{gdk_x11_display_get_xdisplay(display), gdk_x11_surface_get_xid(surface)};
}

Atom atom(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

} // namespace

void applyDesktopWidgetHints(GtkWindow* window) {
    const auto x11 = x11Window(window);
    if (!x11) {
        return;
    }
    // _NET_WM_STATE on a window that is not mapped yet is read by the window
    // manager when the window maps.
    Atom states[] = {
        atom(x11->display, "_NET_WM_STATE_BELOW"),
        atom(x11->display, "_NET_WM_STATE_SKIP_TASKBAR"),
        atom(x11->display, "_NET_WM_STATE_SKIP_PAGER"),
        atom(x11->display, "_NET_WM_STATE_STICKY"),
    };
    XChangeProperty(x11->display, x11->window, atom(x11->display, "_NET_WM_STATE"), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(states),
                    sizeof states / sizeof states[0]);
    XFlush(x11->display);
}

void moveWindow(GtkWindow* window, int x, int y) {
    const auto x11 = x11Window(window);
    if (!x11) {
        return;
    }
    // Marked as the user's own position, which window managers keep.
    XSizeHints* hints = XAllocSizeHints();
    long supplied = 0;
    XGetWMNormalHints(x11->display, x11->window, hints, &supplied);
    hints->flags |= USPosition | PPosition;
    hints->x = x;
    hints->y = y;
    XSetWMNormalHints(x11->display, x11->window, hints);
    XFree(hints);
    XMoveWindow(x11->display, x11->window, x, y);
    XFlush(x11->display);
}

std::optional<std::pair<int, int>> windowPosition(GtkWindow* window) {
    const auto x11 = x11Window(window);
    if (!x11) {
        return std::nullopt;
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(x11->display, x11->window, DefaultRootWindow(x11->display), 0, 0, &x,
                               &y, &child)) {
        return std::nullopt;
    }
    return std::pair{x, y};
}

} // namespace tandry
