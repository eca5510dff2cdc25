#pragma once

#include "platform/host/DesktopBackend.h"

#include <memory>

typedef struct _GdkDisplay GdkDisplay;

namespace tandry {

// The one place that knows which desktop backends there are and picks one.
// A new kind of desktop joins here, as a backend of its own, without a
// change to the windows or the host.

// Tells the toolkit, before it opens a display, which window systems to try
// and in what order: X11 first, also in a Wayland session that offers
// Xwayland, because only there can a window ask to stay below the others, on
// every workspace and out of the taskbar. Without a DISPLAY the toolkit falls
// back to Wayland; GDK_BACKEND, when the user sets it, still decides.
void preferDesktopWindowSystems();

// The backend for the display the toolkit opened: the first that serves it,
// and the plain one where none does.
std::unique_ptr<DesktopBackend> chooseDesktopBackend(GdkDisplay* display);

} // namespace tandry
