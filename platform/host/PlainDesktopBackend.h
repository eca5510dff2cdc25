#pragma once

#include "platform/host/DesktopBackend.h"

namespace tandry {

// The backend for desktops that offer a card nothing beyond an undecorated
// window, and for headless output, which has no windows at all. A Wayland
// compositor decides stacking, taskbars and positions itself and lets
// ordinary clients ask for none of them: positions are neither read nor
// restored, and the compositor blends the card's rounded corners.
class PlainDesktopBackend final : public DesktopBackend {
public:
    void prepare(GtkWindow* window, render::Size card,
                 std::optional<ScreenPosition> position) override;
    bool beginMove(GtkWindow* window, const DragStart& drag) override;
    std::optional<ScreenPosition> pointer() const override;
    void moveTo(GtkWindow* window, ScreenPosition position) override;
    std::optional<ScreenPosition> position(GtkWindow* window) const override;
    std::vector<WorkArea> workAreas() const override;
};

// Hands a drag on `window` to whatever manages its surface, as any desktop
// that moves toplevel windows accepts it; whether it took it.
bool beginToplevelMove(GtkWindow* window, const DragStart& drag);

} // namespace tandry
