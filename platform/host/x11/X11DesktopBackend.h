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
// compositor blends its corners, and placed where the user left it. A window
// manager that needs more or other requests gets a backend of its own that
// builds on this one.
class X11DesktopBackend : public DesktopBackend {
public:
    // `display` is an X11 display, and outlives the backend.
    explicit X11DesktopBackend(GdkDisplay* display) : display_(display) {}

    void prepare(GtkWindow* window, render::Size card,
                 std::optional<ScreenPosition> position) override;
    bool beginMove(GtkWindow* window, const DragStart& drag) override;
    std::optional<ScreenPosition> position(GtkWindow* window) const override;
    std::vector<WorkArea> workAreas() const override;
    std::optional<ScreenPosition> pointer() const override;

private:
    GdkDisplay* display_;
};

// The backend for `display`; nothing where it is no X11 display.
std::unique_ptr<DesktopBackend> openX11DesktopBackend(GdkDisplay* display);

} // namespace tandry
