#pragma once

#include "platform/GLibOwnership.h"
#include "platform/host/HostBus.h"

#include <X11/Xlib.h>
#include <optional>
#include <string>
#include <vector>

typedef struct _GdkSurface GdkSurface;
typedef struct _GtkWindow GtkWindow;

namespace tandry::x11 {

// The application's window class (WM_CLASS), which launchers match with the
// desktop entry's StartupWMClass: the application's id.
inline constexpr const char* desktopWidgetWindowClass = hostApplicationId;

// Memory that Xlib handed over, given back with XFree.
template <typename T> using XOwned = Owned<T, XFree>;

// A card's window as the X server knows it.
struct X11Window {
    GdkSurface* surface = nullptr;
    Display* display = nullptr;
    Window window = 0;
};

// The X11 window of a realized card window on the X11 display the backend
// serves.
X11Window x11Window(GtkWindow* window);

Atom atom(Display* display, const char* name);

// _NET_WM_DESKTOP's value for "on every workspace".
inline constexpr long everyDesktop = 0xFFFFFFFF;

void setAtoms(const X11Window& x11, const char* property, std::vector<Atom> values);
void setCardinal(const X11Window& x11, const char* property, long value);

// The window that a property of type WINDOW names.
std::optional<Window> windowProperty(const X11Window& x11, const char* property);

// The values of a property of 32-bit items of type `type` on any window;
// nothing where the window or the property is missing.
std::vector<unsigned long> longsProperty(Display* display, Window window, Atom property, Atom type);

// The name the running window manager gives itself (_NET_WM_NAME of the
// window that _NET_SUPPORTING_WM_CHECK names): "KWin", "GNOME Shell",
// "Openbox", "Xfwm4"; empty without one.
std::string windowManagerName(Display* display);

// A request about the window to the window manager, as EWMH has clients send
// them: to the root window, with the application as the source.
void sendToWindowManager(const X11Window& x11, const char* message, long first, long second = 0,
                         long third = 0, long fourth = 0);

} // namespace tandry::x11
