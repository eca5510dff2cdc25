#pragma once

#include "platform/host/WorkArea.h"
#include "platform/render/Geometry.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

typedef struct _GdkDevice GdkDevice;
typedef struct _GtkWindow GtkWindow;

namespace tandry {

// A window's top-left corner on the screen, in screen pixels.
struct ScreenPosition {
    int x = 0;
    int y = 0;

    bool operator==(const ScreenPosition&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ScreenPosition& position) {
    return out << '(' << position.x << ',' << position.y << ')';
}

// A press on a card that has travelled far enough to become a move of its
// window, as the toolkit reported it.
struct DragStart {
    GdkDevice* device = nullptr;
    int button = 0;
    // Where the pointer is now, in the window's coordinates.
    double x = 0;
    double y = 0;
    std::uint32_t time = 0;
};

// What a desktop offers a card's window, for one kind of desktop: where it
// can ask to stay below other windows, on every workspace and out of the
// taskbar, cut to the card's outline, and placed where the user left it, the
// backend asks for all of that; where it cannot, the card is a plain window.
// The host picks one backend for the display the toolkit opened and hands it
// to every window, so that nothing outside a backend asks which window
// system it has. Each backend takes charge of a window's realize and map
// itself, because what a desktop needs to hear, and when, differs between
// desktops.
class DesktopBackend {
public:
    virtual ~DesktopBackend() = default;

    // Takes charge of a card's window of `card` points that is not realized
    // yet: sets it up as a desktop widget before it appears, keeps it in its
    // layer of the stacking order and cut to the card's outline from then
    // on, and places it at `position` where one is given and the desktop
    // lets clients place their windows.
    virtual void prepare(GtkWindow* window, render::Size card,
                         std::optional<ScreenPosition> position) = 0;

    // Hands a drag on the card to the desktop, which moves the window from
    // here on; whether it took it.
    virtual bool beginMove(GtkWindow* window, const DragStart& drag) = 0;

    // Where a mapped window's top-left corner is; nothing where the desktop
    // does not say.
    virtual std::optional<ScreenPosition> position(GtkWindow* window) const = 0;

    // The work areas of the monitors, where cards are placed and kept; none
    // where the desktop places windows itself.
    virtual std::vector<WorkArea> workAreas() const = 0;

    // Where the pointer is on the screen, in screen pixels; nothing where the
    // desktop does not say.
    virtual std::optional<ScreenPosition> pointer() const { return std::nullopt; }
};

} // namespace tandry
