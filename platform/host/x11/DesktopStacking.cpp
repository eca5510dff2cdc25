#include "platform/host/x11/DesktopStacking.h"

#include "platform/host/x11/X11Window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include "platform/SourceHandle.h"

#include <algorithm>
#include <array>
#include <gdk/x11/gdkx.h>
#include <gtk/gtk.h>
#include <string_view>

namespace tandry::x11 {
namespace {

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
    const XOwned<char> name(classHint.res_name);
    const XOwned<char> windowClass(classHint.res_class);
    return windowClass == nullptr ||
           std::string_view(windowClass.get()) != desktopWidgetWindowClass;
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

// Asks the window manager to raise the card to the top of its layer, above
// the desktop window that covers it. The request names a desktop tool as
// its source, as EWMH has pagers do: window managers carry those out without
// the checks that keep applications from raising themselves. It names no
// sibling: KWin carries out a restack above a sibling only where an ordinary
// window lies just above that sibling, and leaves the card covered otherwise.
void restoreAboveDesktop(GtkWindow* window) {
    if (!gtk_widget_get_mapped(GTK_WIDGET(window))) {
        return;
    }
    const X11Window x11 = x11Window(window);
    if (desktopWindowAbove(x11)) {
        constexpr long fromDesktopTool = 2;
        constexpr long noSibling = 0;
        sendToWindowManager(x11, "_NET_RESTACK_WINDOW", fromDesktopTool, noSibling, Above);
        XFlush(x11.display);
    }
}

// KWin raises a desktop that takes the focus over the card some time after
// the focus moved, and under Wayland Plasma's desktop is no X11 window that
// the card could see rise; Plasma also raises its desktop when it starts,
// after a card that started with the session. There, the card asks to be
// raised within its layer a few times over the next seconds. While no X11
// window has the focus (under Wayland: Plasma's desktop or a Wayland
// window), it goes on asking once a second, as a click on a desktop that
// already has the focus raises it again without a word to X11.
struct DelayedRaises {
    GtkWindow* window = nullptr;
    SourceHandle source;
    std::size_t done = 0;
    bool untilFocusReturns = false;
};

constexpr const char* delayedRaisesKey = "tandry-delayed-raises";
constexpr std::array<guint, 3> raiseIntervalsMilliseconds = {250, 750, 1500};
constexpr guint raiseWhileUnfocusedMilliseconds = 1000;

gboolean raiseAgain(gpointer data) {
    auto* raises = static_cast<DelayedRaises*>(data);
    raises->source.release();
    if (gtk_widget_get_mapped(GTK_WIDGET(raises->window))) {
        const X11Window x11 = x11Window(raises->window);
        XRaiseWindow(x11.display, x11.window);
        XFlush(x11.display);
    }
    if (++raises->done < raiseIntervalsMilliseconds.size()) {
        raises->source = SourceHandle(
            g_timeout_add(raiseIntervalsMilliseconds[raises->done], &raiseAgain, raises));
    } else if (raises->untilFocusReturns) {
        raises->source =
            SourceHandle(g_timeout_add(raiseWhileUnfocusedMilliseconds, &raiseAgain, raises));
    }
    return G_SOURCE_REMOVE;
}

DelayedRaises& delayedRaises(GtkWindow* window) {
    auto* raises =
        static_cast<DelayedRaises*>(g_object_get_data(G_OBJECT(window), delayedRaisesKey));
    if (raises == nullptr) {
        raises = new DelayedRaises{.window = window};
        g_object_set_data_full(G_OBJECT(window), delayedRaisesKey, raises,
                               [](gpointer data) { delete static_cast<DelayedRaises*>(data); });
    }
    return *raises;
}

void raiseForAWhile(GtkWindow* window, bool untilFocusReturns) {
    DelayedRaises& raises = delayedRaises(window);
    raises.done = 0;
    raises.untilFocusReturns = untilFocusReturns;
    raises.source =
        SourceHandle(g_timeout_add(raiseIntervalsMilliseconds[0], &raiseAgain, &raises));
}

// An ordinary X11 window has the focus: the card stops asking once a
// second (a burst still running ends as it would).
void stopRaisingWhileUnfocused(GtkWindow* window) {
    DelayedRaises& raises = delayedRaises(window);
    raises.untilFocusReturns = false;
    if (raises.done >= raiseIntervalsMilliseconds.size()) {
        raises.source.reset();
    }
}

bool underKWin(Display* display) {
    return windowManagerName(display) == "KWin";
}

// The focus went to a desktop window, or under Wayland to no X11 window.
void focusMoved(GtkWindow* window) {
    const X11Window x11 = x11Window(window);
    if (!gtk_widget_get_mapped(GTK_WIDGET(window)) || !underKWin(x11.display)) {
        return;
    }
    const std::vector<unsigned long> active =
        longsProperty(x11.display, DefaultRootWindow(x11.display),
                      atom(x11.display, "_NET_ACTIVE_WINDOW"), XA_WINDOW);
    const bool toNoX11Window = active.empty() || active.front() == None;
    GdkDisplay* display = gdk_surface_get_display(x11.surface);
    gdk_x11_display_error_trap_push(display);
    const bool toDesktop = toNoX11Window || isForeignDesktopWindow(x11.display, active.front());
    gdk_x11_display_error_trap_pop_ignored(display);
    if (toDesktop) {
        raiseForAWhile(window, toNoX11Window);
    } else {
        stopRaisingWhileUnfocused(window);
    }
}

void mapped(GtkWidget* window, gpointer) {
    if (underKWin(x11Window(GTK_WINDOW(window)).display)) {
        raiseForAWhile(GTK_WINDOW(window), false);
    }
}

gboolean onXEvent(GdkX11Display* display, gpointer xevent, gpointer window) {
    const auto* event = static_cast<const XEvent*>(xevent);
    if (event->type != PropertyNotify ||
        event->xproperty.window != DefaultRootWindow(event->xproperty.display)) {
        return FALSE;
    }
    const Atom changed = event->xproperty.atom;
    if (changed ==
        gdk_x11_get_xatom_by_name_for_display(GDK_DISPLAY(display), "_NET_CLIENT_LIST_STACKING")) {
        restoreAboveDesktop(GTK_WINDOW(window));
    } else if (changed ==
               gdk_x11_get_xatom_by_name_for_display(GDK_DISPLAY(display), "_NET_ACTIVE_WINDOW")) {
        focusMoved(GTK_WINDOW(window));
    }
    return FALSE;
}

} // namespace

void keepAboveDesktopBackground(GtkWindow* window) {
    const X11Window x11 = x11Window(window);
    // The window manager announces every change of its stacking on the root
    // window.
    const Window root = DefaultRootWindow(x11.display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(x11.display, root, &attributes);
    XSelectInput(x11.display, root, attributes.your_event_mask | PropertyChangeMask);
    g_signal_connect_object(gdk_surface_get_display(x11.surface), "xevent", G_CALLBACK(&onXEvent),
                            window, GConnectFlags{});
    g_signal_connect_after(window, "map", G_CALLBACK(&mapped), nullptr);
}

} // namespace tandry::x11
