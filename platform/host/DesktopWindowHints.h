#pragma once

#include <optional>
#include <utility>

typedef struct _GtkWindow GtkWindow;

namespace tandry {

// What makes a window behave like a desktop widget, as far as the window
// system lets a client ask for it. On X11 (also XWayland): kept below
// ordinary windows, left out of the taskbar and the pager, shown on every
// workspace, and placed where the user left it. A Wayland compositor decides
// stacking, taskbars and positions itself and offers ordinary clients no way
// to ask; there the window is just an undecorated window, and positions are
// neither read nor restored.

// Sets the hints on a realized, not yet mapped window; nothing on Wayland.
void applyDesktopWidgetHints(GtkWindow* window);

// Moves a realized window's top-left corner to (x, y) in screen pixels.
void moveWindow(GtkWindow* window, int x, int y);

// Where a mapped window's top-left corner is, in screen pixels; nothing where
// the window system does not say.
std::optional<std::pair<int, int>> windowPosition(GtkWindow* window);

} // namespace tandry
