#include "platform/host/x11/X11Window.h"

#include <X11/Xatom.h>
#include <gdk/x11/gdkx.h>
#include <gtk/gtk.h>

namespace tandry::x11 {

X11Window x11Window(GtkWindow* window) {
    GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window));
    return X11Window{surface, gdk_x11_display_get_xdisplay(gdk_surface_get_display(surface)),
                     gdk_x11_surface_get_xid(surface)};
}

Atom atom(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

void setAtoms(const X11Window& x11, const char* property, std::vector<Atom> values) {
    XChangeProperty(x11.display, x11.window, atom(x11.display, property), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
}

void setCardinal(const X11Window& x11, const char* property, long value) {
    XChangeProperty(x11.display, x11.window, atom(x11.display, property), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&value), 1);
}

std::optional<Window> windowProperty(const X11Window& x11, const char* property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    XOwned<unsigned char> data;
    if (XGetWindowProperty(x11.display, x11.window, atom(x11.display, property), 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &remaining, out(data)) == Success &&
        type == XA_WINDOW && format == 32 && count == 1) {
        return static_cast<Window>(*reinterpret_cast<unsigned long*>(data.get()));
    }
    return std::nullopt;
}

std::vector<unsigned long> longsProperty(Display* display, Window window, Atom property,
                                         Atom type) {
    Atom found = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    XOwned<unsigned char> data;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &found, &format, &count,
                           &remaining, out(data)) == Success &&
        found == type && format == 32) {
        const auto* items = reinterpret_cast<const unsigned long*>(data.get());
        return {items, items + count};
    }
    return {};
}

std::string windowManagerName(Display* display) {
    const std::vector<unsigned long> check =
        longsProperty(display, DefaultRootWindow(display),
                      atom(display, "_NET_SUPPORTING_WM_CHECK"), XA_WINDOW);
    if (check.empty()) {
        return {};
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    XOwned<unsigned char> name;
    // A window manager that went away leaves the id of a window that is gone.
    GdkDisplay* gdkDisplay = gdk_x11_lookup_xdisplay(display);
    gdk_x11_display_error_trap_push(gdkDisplay);
    const int status = XGetWindowProperty(display, check.front(), atom(display, "_NET_WM_NAME"),
                                          0, 256, False, atom(display, "UTF8_STRING"), &type,
                                          &format, &count, &remaining, out(name));
    gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
    if (status != Success || name == nullptr || format != 8) {
        return {};
    }
    return {reinterpret_cast<const char*>(name.get()), count};
}

void sendToWindowManager(const X11Window& x11, const char* message, long first, long second,
                         long third, long fourth) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = x11.window;
    event.xclient.message_type = atom(x11.display, message);
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = second;
    event.xclient.data.l[2] = third;
    event.xclient.data.l[3] = fourth;
    XSendEvent(x11.display, DefaultRootWindow(x11.display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

} // namespace tandry::x11
