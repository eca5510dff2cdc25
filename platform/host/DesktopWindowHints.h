#pragma once

#include "platform/host/WorkArea.h"
#include "platform/render/Geometry.h"

#include <optional>
#include <utility>
#include <vector>

typedef struct _GtkWindow GtkWindow;

namespace tandry {

// What makes a window behave like a desktop widget, as far as the window
// system lets a client ask for it. On X11 (also Xwayland), under any EWMH
// window manager: kept below ordinary windows, on every workspace, left out
// of the taskbar, the pager and the window switcher, not given the focus when
// it appears, and placed where the user left it. A Wayland compositor decides
// stacking, taskbars and positions itself and offers ordinary clients no way
// to ask; there the window is just an undecorated window, and positions are
// neither read nor restored.

// The application's window class (WM_CLASS), which launchers match with the
// desktop entry's StartupWMClass.
inline constexpr const char* desktopWidgetWindowClass = "app.tandry.WidgetHost";

// Asks on a realized window that is not mapped yet: its class, its type, no
// focus when it maps, and the states as the properties a window manager reads
// when the window maps. Nothing on Wayland.
void prepareDesktopWidget(GtkWindow* window);

// Asks for the states again once the window is mapped, as the client
// messages a window manager acts on for a managed window: the toolkit
// rewrites the state properties when it maps the window, and some window
// managers read only some of them at map time.
void holdDesktopWidgetStates(GtkWindow* window);

// Keeps a realized window above the desktop windows of other programs (a
// file manager's desktop, on which it draws the background and its icons):
// whenever the window manager stacks one of them over the mapped window, as
// it does when that desktop is clicked, the window asks to go back just
// above it. Desktop windows share a layer below every ordinary window, so
// this never lifts the card over one. Nothing on Wayland.
void keepAboveDesktopBackground(GtkWindow* window);

// Gives a realized window the outline of a card of `card` points at `scale`
// device pixels per point, so that a screen without a compositor shows what
// lies behind the rounded corners instead of black squares; with a
// compositor the window stays rectangular and its transparent corners blend.
void shapeLikeCard(GtkWindow* window, render::Size card, int scale);

// The work areas of the default display's monitors, where it is an X11
// display; nothing elsewhere (Wayland, or no display at all).
std::vector<WorkArea> monitorWorkAreas();

// Moves a realized window's top-left corner to (x, y) in screen pixels.
void moveWindow(GtkWindow* window, int x, int y);

// Where a mapped window's top-left corner is, in screen pixels; nothing where
// the window system does not say.
std::optional<std::pair<int, int>> windowPosition(GtkWindow* window);

} // namespace tandry
