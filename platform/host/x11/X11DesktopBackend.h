#pragma once

#include "platform/host/DesktopBackend.h"

#include <memory>

typedef struct _GdkDisplay GdkDisplay;

namespace tandry {

// The backend for an X11 display (also Xwayland's), under any window manager
// that follows the EWMH conventions: each card is a desktop window kept below
// ordinary windows, on every workspace, left out of the taskbar, the pager
// and the window switcher, not given the focus when it appears, kept above
// other programs' desktop windows, cut to the card's outline where no
// compositor blends its corners, and placed where the user left it. Nothing
// where `display` is no X11 display.
std::unique_ptr<DesktopBackend> openX11DesktopBackend(GdkDisplay* display);

} // namespace tandry
