#include "platform/host/DesktopWindowHints.h"

#include "platform/render/CardShape.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstdlib>
#include <gdk/x11/gdkx.h>
#include <gtk/gtk.h>
#include <string_view>
#include <vector>

namespace tandry {
namespace {

struct X11Window {
    GdkSurface* surface = nullptr;
    Display* display = nullptr;
    Window window = 0;
};

std::optional<X11Window> x11Window(GtkWindow* window) {
    GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window));
    if (surface == nullptr || !GDK_IS_X11_SURFACE(surface)) {
        return std::nullopt;
    }
    GdkDisplay* display = gdk_surface_get_display(surface);
    return X11Window{surface, gdk_x11_display_get_xdisplay(display),
                     gdk_x11_surface_get_xid(surface)};
}

Atom atom(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

// _NET_WM_DESKTOP's value for "on every workspace".
constexpr long everyDesktop = 0xFFFFFFFF;

// Whether an EWMH window manager runs and handles `hint`.
bool windowManagerSupports(const X11Window& x11, const char* hint) {
    GdkDisplay* display = gdk_surface_get_display(x11.surface);
    return gdk_x11_screen_supports_net_wm_hint(gdk_x11_display_get_screen(display), hint);
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

// The window that a property of type WINDOW names.
std::optional<Window> windowProperty(const X11Window& x11, const char* property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::optional<Window> found;
    if (XGetWindowProperty(x11.display, x11.window, atom(x11.display, property), 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &remaining, &data) == Success &&
        type == XA_WINDOW && format == 32 && count == 1) {
        found = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
    }
    if (data != nullptr) {
        XFree(data);
    }
    return found;
}

// The states, as the window manager reads them from the window.
std::vector<Atom> widgetStates(Display* display) {
    return {
        atom(display, "_NET_WM_STATE_BELOW"),
        atom(display, "_NET_WM_STATE_STICKY"),
        atom(display, "_NET_WM_STATE_SKIP_TASKBAR"),
        atom(display, "_NET_WM_STATE_SKIP_PAGER"),
    };
}

// A request about the window to the window manager, as EWMH has clients send
// them: to the root window, with the application as the source.
void sendToWindowManager(const X11Window& x11, const char* message, long first, long second = 0,
                         long third = 0, long fourth = 0) {
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

// The values of a property of 32-bit items of type `type` on any window;
// nothing where the window or the property is missing.
std::vector<unsigned long> longsProperty(Display* display, Window window, Atom property,
                                         Atom type) {
    Atom found = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &found, &format, &count,
                           &remaining, &data) == Success &&
        found == type && format == 32) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        values.assign(items, items + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return values;
}

// Whether `window` is another program's desktop window, such as the one on
// which a file manager draws the background and its icons.
bool isForeignDesktopWindow(Display* display, Window window) {
    const std::vector<unsigned long> types =
        longsProperty(display, window, atom(display, "_NET_WM_WINDOW_TYPE"), XA_ATOM);
    if (std::ranges::find(types, atom(display, "_NET_WM_WINDOW_TYPE_DESKTOP")) == types.end()) {
        return false;
    }
    XClassHint classHint{};
    if (XGetClassHint(display, window, &classHint) == 0) {
        return true;
    }
    const bool ours = classHint.res_class != nullptr &&
                      std::string_view(classHint.res_class) == desktopWidgetWindowClass;
    XFree(classHint.res_name);
    XFree(classHint.res_class);
    return !ours;
}

// The topmost of the other programs' desktop windows that the window manager
// stacks above `x11`'s window, if any.
std::optional<Window> desktopWindowAbove(const X11Window& x11) {
    const std::vector<unsigned long> order =
        longsProperty(x11.display, DefaultRootWindow(x11.display),
                      atom(x11.display, "_NET_CLIENT_LIST_STACKING"), XA_WINDOW);
    const auto own = std::ranges::find(order, x11.window);
    if (own == order.end()) {
        return std::nullopt;
    }
    // Windows of other programs can go away at any moment; asking about
    // one that is gone is no fault.
    GdkDisplay* display = gdk_surface_get_display(x11.surface);
    gdk_x11_display_error_trap_push(display);
    std::optional<Window> above;
    for (auto window = std::next(own); window != order.end(); ++window) {
        if (isForeignDesktopWindow(x11.display, *window)) {
            above = *window;
        }
    }
    gdk_x11_display_error_trap_pop_ignored(display);
    return above;
}

// Asks the window manager to stack the card just above the desktop window
// that covers it. The request names a desktop tool as its source, as EWMH has
// pagers do: window managers carry those out without the checks that keep
// applications from raising themselves.
void restoreAboveDesktop(GtkWindow* window) {
    const auto x11 = x11Window(window);
    if (!x11 || !gtk_widget_get_mapped(GTK_WIDGET(window))) {
        return;
    }
    if (auto cover = desktopWindowAbove(*x11)) {
        constexpr long fromDesktopTool = 2;
        sendToWindowManager(*x11, "_NET_RESTACK_WINDOW", fromDesktopTool, static_cast<long>(*cover),
                            Above);
        XFlush(x11->display);
    }
}

gboolean onXEvent(GdkX11Display* display, gpointer xevent, gpointer window) {
    const auto* event = static_cast<const XEvent*>(xevent);
    if (event->type == PropertyNotify &&
        event->xproperty.window == DefaultRootWindow(event->xproperty.display) &&
        event->xproperty.atom == gdk_x11_get_xatom_by_name_for_display(
                                     GDK_DISPLAY(display), "_NET_CLIENT_LIST_STACKING")) {
        restoreAboveDesktop(GTK_WINDOW(window));
    }
    return FALSE;
}

// The card's outline as runs of covered pixels, row by row from the top.
std::vector<XRectangle> coveredRuns(render::Size card, int scale) {
    const int width = static_cast<int>(std::ceil(card.width * scale));
    const int height = static_cast<int>(std::ceil(card.height * scale));
    // The card's own outline, drawn without antialiasing: a pixel is in the
    // window where its centre is in the card.
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* cairo = cairo_create(mask);
    cairo_set_antialias(cairo, CAIRO_ANTIALIAS_NONE);
    cairo_scale(cairo, scale, scale);
    render::appendCardShape(cairo, card);
    cairo_fill(cairo);
    cairo_destroy(cairo);
    cairo_surface_flush(mask);

    std::vector<XRectangle> runs;
    const unsigned char* pixels = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        int x = 0;
        while (x < width) {
            while (x < width && row[x] < 128) {
                ++x;
            }
            const int start = x;
            while (x < width && row[x] >= 128) {
                ++x;
            }
            if (x > start) {
                runs.push_back({static_cast<short>(start), static_cast<short>(y),
                                static_cast<unsigned short>(x - start), 1});
            }
        }
    }
    cairo_surface_destroy(mask);
    return runs;
}

} // namespace

void prepareDesktopWidget(GtkWindow* window) {
    const auto x11 = x11Window(window);
    if (!x11) {
        return;
    }
    // 1. The class launchers and taskbars match with the desktop entry. The
    //    toolkit sets the program's name as both parts; the class is ours.
    XClassHint classHint{const_cast<char*>(g_get_prgname()),
                         const_cast<char*>(desktopWidgetWindowClass)};
    XSetClassHint(x11->display, x11->window, &classHint);

    // 2. A desktop window, asked to stay below the others as well. Show
    //    Desktop leaves desktop windows in view; under openbox it hides
    //    every ordinary window, even one kept below. Window managers stack
    //    desktop windows in their own layer, under every ordinary window;
    //    some (openbox) raise a file manager's desktop window over the card
    //    within that layer when it is clicked, and keepAboveDesktopBackground
    //    puts the card back.
    setAtoms(*x11, "_NET_WM_WINDOW_TYPE", {atom(x11->display, "_NET_WM_WINDOW_TYPE_DESKTOP")});

    // 3. The toolkit keeps these two and writes them again when it maps the
    //    window.
    gdk_x11_surface_set_skip_taskbar_hint(x11->surface, TRUE);
    gdk_x11_surface_set_skip_pager_hint(x11->surface, TRUE);

    // 4. A user time of 0 asks not to be given the focus on map. Window
    //    managers read it from the window that _NET_WM_USER_TIME_WINDOW
    //    names, where the toolkit has one, and from the window itself.
    setCardinal(*x11, "_NET_WM_USER_TIME", 0);
    if (auto userTimeWindow = windowProperty(*x11, "_NET_WM_USER_TIME_WINDOW")) {
        setCardinal({.display = x11->display, .window = *userTimeWindow}, "_NET_WM_USER_TIME", 0);
    }

    // 5. The states as properties, read when the window maps.
    setAtoms(*x11, "_NET_WM_STATE", widgetStates(x11->display));
    setCardinal(*x11, "_NET_WM_DESKTOP", everyDesktop);
    XFlush(x11->display);
}

void holdDesktopWidgetStates(GtkWindow* window) {
    const auto x11 = x11Window(window);
    if (!x11) {
        return;
    }
    if (!windowManagerSupports(*x11, "_NET_WM_STATE")) {
        // Nobody manages the window; the properties at least say what it is.
        setAtoms(*x11, "_NET_WM_STATE", widgetStates(x11->display));
        setCardinal(*x11, "_NET_WM_DESKTOP", everyDesktop);
        XFlush(x11->display);
        return;
    }
    constexpr long add = 1;
    constexpr long fromApplication = 1;
    const std::vector<Atom> states = widgetStates(x11->display);
    sendToWindowManager(*x11, "_NET_WM_STATE", add, static_cast<long>(states[0]),
                        static_cast<long>(states[1]), fromApplication);
    sendToWindowManager(*x11, "_NET_WM_STATE", add, static_cast<long>(states[2]),
                        static_cast<long>(states[3]), fromApplication);
    // Some window managers keep a window on every workspace only through its
    // desktop number, not through the sticky state.
    sendToWindowManager(*x11, "_NET_WM_DESKTOP", everyDesktop, fromApplication);
    XFlush(x11->display);
}

void keepAboveDesktopBackground(GtkWindow* window) {
    const auto x11 = x11Window(window);
    if (!x11) {
        return;
    }
    // The window manager announces every change of its stacking on the root
    // window.
    const Window root = DefaultRootWindow(x11->display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(x11->display, root, &attributes);
    XSelectInput(x11->display, root, attributes.your_event_mask | PropertyChangeMask);
    g_signal_connect_object(gdk_surface_get_display(x11->surface), "xevent", G_CALLBACK(&onXEvent),
                            window, GConnectFlags{});
}

void shapeLikeCard(GtkWindow* window, render::Size card, int scale) {
    const auto x11 = x11Window(window);
    if (!x11) {
        return;
    }
    if (gdk_display_is_composited(gdk_surface_get_display(x11->surface))) {
        XShapeCombineMask(x11->display, x11->window, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        std::vector<XRectangle> runs = coveredRuns(card, scale);
        XShapeCombineRectangles(x11->display, x11->window, ShapeBounding, 0, 0, runs.data(),
                                static_cast<int>(runs.size()), ShapeSet, YXBanded);
    }
    XFlush(x11->display);
}

std::vector<WorkArea> monitorWorkAreas() {
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr || !GDK_IS_X11_DISPLAY(display)) {
        return {};
    }
    std::vector<WorkArea> areas;
    GListModel* monitors = gdk_display_get_monitors(display);
    for (guint i = 0; i < g_list_model_get_n_items(monitors); ++i) {
        auto* monitor = static_cast<GdkMonitor*>(g_list_model_get_item(monitors, i));
        GdkRectangle area{};
        gdk_x11_monitor_get_workarea(monitor, &area);
        const int scale = gdk_monitor_get_scale_factor(monitor);
        // The toolkit gives the area in points; windows are placed in pixels.
        areas.push_back({.x = area.x * scale,
                         .y = area.y * scale,
                         .width = area.width * scale,
                         .height = area.height * scale,
                         .scale = scale});
        g_object_unref(monitor);
    }
    return areas;
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
