#include "platform/host/x11/X11DesktopBackend.h"

#include "platform/host/x11/CardShapeMask.h"
#include "platform/host/x11/DesktopStacking.h"
#include "platform/host/x11/X11Window.h"

#include <X11/Xatom.h>
#include <algorithm>
#include <X11/Xutil.h>
#include <gdk/x11/gdkx.h>
#include <gtk/gtk.h>

namespace tandry {
namespace {

using namespace x11;

// What the backend keeps about each card's window, on the window itself so
// that it goes with it.
struct CardWindow {
    render::Size card;
    std::optional<ScreenPosition> position;
};

constexpr const char* cardWindowKey = "tandry-desktop-card";

CardWindow& cardWindow(GtkWidget* window) {
    return *static_cast<CardWindow*>(g_object_get_data(G_OBJECT(window), cardWindowKey));
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

// Asks on a realized window that is not mapped yet: its class, its type, no
// focus when it maps, and the states as the properties a window manager reads
// when the window maps.
void prepareDesktopWidget(const X11Window& x11) {
    // 1. The class launchers and taskbars match with the desktop entry. The
    //    toolkit sets the program's name as both parts; the class is ours.
    XClassHint classHint{const_cast<char*>(g_get_prgname()),
                         const_cast<char*>(desktopWidgetWindowClass)};
    XSetClassHint(x11.display, x11.window, &classHint);

    // 2. A desktop window, asked to stay below the others as well. Show
    //    Desktop leaves desktop windows in view; under openbox it hides
    //    every ordinary window, even one kept below. Window managers stack
    //    desktop windows in their own layer, under every ordinary window;
    //    some (openbox) raise a file manager's desktop window over the card
    //    within that layer when it is clicked, and keepAboveDesktopBackground
    //    puts the card back.
    setAtoms(x11, "_NET_WM_WINDOW_TYPE", {atom(x11.display, "_NET_WM_WINDOW_TYPE_DESKTOP")});

    // 3. The toolkit keeps these two and writes them again when it maps the
    //    window.
    gdk_x11_surface_set_skip_taskbar_hint(x11.surface, TRUE);
    gdk_x11_surface_set_skip_pager_hint(x11.surface, TRUE);

    // 4. A user time of 0 asks not to be given the focus on map. Window
    //    managers read it from the window that _NET_WM_USER_TIME_WINDOW
    //    names, where the toolkit has one, and from the window itself.
    setCardinal(x11, "_NET_WM_USER_TIME", 0);
    if (auto userTimeWindow = windowProperty(x11, "_NET_WM_USER_TIME_WINDOW")) {
        setCardinal({.display = x11.display, .window = *userTimeWindow}, "_NET_WM_USER_TIME", 0);
    }

    // 5. The states as properties, read when the window maps.
    setAtoms(x11, "_NET_WM_STATE", widgetStates(x11.display));
    setCardinal(x11, "_NET_WM_DESKTOP", everyDesktop);
    XFlush(x11.display);
}

// Asks for the states again once the window is mapped, as the client
// messages a window manager acts on for a managed window: the toolkit
// rewrites the state properties when it maps the window, and some window
// managers read only some of them at map time.
void holdDesktopWidgetStates(const X11Window& x11) {
    GdkDisplay* display = gdk_surface_get_display(x11.surface);
    if (!gdk_x11_screen_supports_net_wm_hint(gdk_x11_display_get_screen(display),
                                             "_NET_WM_STATE")) {
        // Nobody manages the window; the properties at least say what it is.
        setAtoms(x11, "_NET_WM_STATE", widgetStates(x11.display));
        setCardinal(x11, "_NET_WM_DESKTOP", everyDesktop);
        XFlush(x11.display);
        return;
    }
    constexpr long add = 1;
    constexpr long fromApplication = 1;
    const std::vector<Atom> states = widgetStates(x11.display);
    sendToWindowManager(x11, "_NET_WM_STATE", add, static_cast<long>(states[0]),
                        static_cast<long>(states[1]), fromApplication);
    sendToWindowManager(x11, "_NET_WM_STATE", add, static_cast<long>(states[2]),
                        static_cast<long>(states[3]), fromApplication);
    // Some window managers keep a window on every workspace only through its
    // desktop number, not through the sticky state.
    sendToWindowManager(x11, "_NET_WM_DESKTOP", everyDesktop, fromApplication);
    XFlush(x11.display);
}

// A card asks for nobody's attention. Mutter marks a window that maps over
// the focused one without taking the focus as demanding attention, which
// taskbars and docks then flash; the card takes the mark off again, as EWMH
// lets a client do.
gboolean declineAttention(GdkX11Display* display, gpointer xevent, gpointer window) {
    const auto* event = static_cast<const XEvent*>(xevent);
    if (event->type != PropertyNotify || !gtk_widget_get_realized(GTK_WIDGET(window))) {
        return FALSE;
    }
    const X11Window x11 = x11Window(GTK_WINDOW(window));
    if (event->xproperty.window != x11.window ||
        event->xproperty.atom !=
            gdk_x11_get_xatom_by_name_for_display(GDK_DISPLAY(display), "_NET_WM_STATE")) {
        return FALSE;
    }
    const Atom attention = atom(x11.display, "_NET_WM_STATE_DEMANDS_ATTENTION");
    const std::vector<unsigned long> states =
        longsProperty(x11.display, x11.window, atom(x11.display, "_NET_WM_STATE"), XA_ATOM);
    if (std::ranges::find(states, attention) != states.end()) {
        constexpr long remove = 0;
        sendToWindowManager(x11, "_NET_WM_STATE", remove, static_cast<long>(attention));
        XFlush(x11.display);
    }
    return FALSE;
}

// Moves the window's top-left corner to where the user left it, marked as
// the user's own position, which window managers keep.
void moveToSavedPosition(GtkWidget* window) {
    const std::optional<ScreenPosition> position = cardWindow(window).position;
    if (!position) {
        return;
    }
    const X11Window x11 = x11Window(GTK_WINDOW(window));
    const XOwned<XSizeHints> hints(XAllocSizeHints());
    long supplied = 0;
    XGetWMNormalHints(x11.display, x11.window, hints.get(), &supplied);
    hints->flags |= USPosition | PPosition;
    hints->x = position->x;
    hints->y = position->y;
    XSetWMNormalHints(x11.display, x11.window, hints.get());
    XMoveWindow(x11.display, x11.window, position->x, position->y);
    XFlush(x11.display);
}

// Cuts the window to the card's outline at its current scale.
void reshape(GtkWidget* window) {
    if (gtk_widget_get_realized(window)) {
        shapeLikeCard(GTK_WINDOW(window), cardWindow(window).card,
                      gtk_widget_get_scale_factor(window));
    }
}

void realized(GtkWidget* window, gpointer) {
    prepareDesktopWidget(x11Window(GTK_WINDOW(window)));
    keepAboveDesktopBackground(GTK_WINDOW(window));
    moveToSavedPosition(window);
}

void mapped(GtkWidget* window, gpointer) {
    holdDesktopWidgetStates(x11Window(GTK_WINDOW(window)));
    reshape(window);
    // Window managers may place a window anew when it maps; ask again.
    moveToSavedPosition(window);
}

// A compositor started or stopped, or the window moved to a screen of
// another scale.
void shapeChanged(GObject*, GParamSpec*, gpointer window) {
    reshape(GTK_WIDGET(window));
}

} // namespace

void X11DesktopBackend::prepare(GtkWindow* window, render::Size card,
                                std::optional<ScreenPosition> position) {
    g_object_set_data_full(G_OBJECT(window), cardWindowKey, new CardWindow{card, position},
                           [](gpointer data) { delete static_cast<CardWindow*>(data); });
    g_signal_connect_after(window, "realize", G_CALLBACK(&realized), nullptr);
    g_signal_connect_after(window, "map", G_CALLBACK(&mapped), nullptr);
    g_signal_connect(window, "notify::scale-factor", G_CALLBACK(&shapeChanged), window);
    g_signal_connect_object(display_, "notify::composited", G_CALLBACK(&shapeChanged), window,
                            GConnectFlags{});
    g_signal_connect_object(display_, "xevent", G_CALLBACK(&declineAttention), window,
                            GConnectFlags{});
}

// Window managers do not move windows of the desktop type for their
// clients: they leave a move request unanswered and list no move among the
// window's allowed actions. The host moves the card itself.
bool X11DesktopBackend::beginMove(GtkWindow*, const DragStart&) {
    return false;
}

std::optional<ScreenPosition> X11DesktopBackend::pointer() const {
    Display* display = gdk_x11_display_get_xdisplay(display_);
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned buttons = 0;
    // Xwayland knows where the pointer is only while it is over one of its
    // windows, which a card being dragged is.
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX,
                       &windowY, &buttons)) {
        return std::nullopt;
    }
    return ScreenPosition{x, y};
}

void X11DesktopBackend::moveTo(GtkWindow* window, ScreenPosition position) {
    cardWindow(GTK_WIDGET(window)).position = position;
    if (gtk_widget_get_realized(GTK_WIDGET(window))) {
        moveToSavedPosition(GTK_WIDGET(window));
    }
}

std::optional<ScreenPosition> X11DesktopBackend::position(GtkWindow* window) const {
    const X11Window x11 = x11Window(window);
    int x = 0;
    int y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(x11.display, x11.window, DefaultRootWindow(x11.display), 0, 0, &x,
                               &y, &child)) {
        return std::nullopt;
    }
    return ScreenPosition{x, y};
}

std::vector<WorkArea> X11DesktopBackend::workAreas() const {
    std::vector<WorkArea> areas;
    GListModel* monitors = gdk_display_get_monitors(display_);
    for (guint i = 0; i < g_list_model_get_n_items(monitors); ++i) {
        const GObjectPtr<GdkMonitor> monitor(
            static_cast<GdkMonitor*>(g_list_model_get_item(monitors, i)));
        GdkRectangle area{};
        gdk_x11_monitor_get_workarea(monitor.get(), &area);
        const int scale = gdk_monitor_get_scale_factor(monitor.get());
        // The toolkit gives the area in points; windows are placed in pixels.
        areas.push_back({.x = area.x * scale,
                         .y = area.y * scale,
                         .width = area.width * scale,
                         .height = area.height * scale,
                         .scale = scale});
    }
    return areas;
}

std::unique_ptr<DesktopBackend> openX11DesktopBackend(GdkDisplay* display) {
    if (display == nullptr || !GDK_IS_X11_DISPLAY(display)) {
        return nullptr;
    }
    // Every window of the host, the gallery and the menus as well as the
    // cards, carries the class that the desktop entry names, so that a shell
    // shows the application's name and icon for it.
    gdk_x11_display_set_program_class(display, desktopWidgetWindowClass);
    return std::make_unique<X11DesktopBackend>(display);
}

} // namespace tandry
