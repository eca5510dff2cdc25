#pragma once

typedef struct _GtkWindow GtkWindow;

namespace tandry::x11 {

// Keeps a realized window above the desktop windows of other programs (a
// file manager's desktop, on which it draws the background and its icons):
// whenever the window manager stacks one of them over the mapped window, as
// it does when that desktop is clicked, the window asks to go back just
// above it. Desktop windows share a layer below every ordinary window, so
// this never lifts the card over one. Under KWin the window also rises
// within its layer for a few seconds after it maps and after the focus goes
// to a desktop.
void keepAboveDesktopBackground(GtkWindow* window);

} // namespace tandry::x11
