#pragma once

#include "platform/GLibOwnership.h"
#include "platform/host/CardMenu.h"
#include "platform/host/CountTransition.h"
#include "platform/host/DesktopBackend.h"
#include "platform/host/Placement.h"
#include "platform/host/WorkArea.h"
#include "platform/render/CardRenderer.h"
#include "platform/render/TreeQueries.h"

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

typedef struct _GtkApplication GtkApplication;
typedef struct _GtkWidget GtkWidget;
typedef struct _GtkWindow GtkWindow;

namespace tandry {


// One placed widget on the desktop: an undecorated window of its family's
// size showing the card, drawn by the painter at the screen's scale. Each tick
// button of the card is a real, transparent GTK button over the button's
// laid-out frame, so it takes keyboard focus and carries the row's
// accessibility label; a click anywhere else opens the card's link, and a drag
// moves the widget.
class WidgetWindow {
public:
    // What the window asks of the host.
    struct Actions {
        // A tick button was pressed: run the intent (on a worker, not here).
        std::function<void(const IntentReference& intent)> tick;
        // The card was clicked outside any button.
        std::function<void(std::string_view url)> openUrl;
        // The user put the widget in a new place (placement()).
        std::function<void(WidgetWindow& window)> placed;
        // The items of the card's menu.
        CardMenu::Actions menu;
    };

    // A window on `desktop`, which must outlive it, shown at `placement`'s
    // position kept inside `workAreas`.
    WidgetWindow(GtkApplication* application, DesktopBackend& desktop, Placement placement,
                 const std::vector<WorkArea>& workAreas, std::string title, Actions actions);
    ~WidgetWindow();
    WidgetWindow(const WidgetWindow&) = delete;
    WidgetWindow& operator=(const WidgetWindow&) = delete;

    // Draws `entry`; a count that changed since the last card rolls to its
    // new value.
    void show(const StaticConfiguration& configuration, const ReadyWidgetEntry& entry,
              ColorScheme scheme, CardRenderer& renderer);

    // The widget's family and where the user put it: where the host put
    // its window, not a transient place the window system reports while it
    // maps or moves the window.
    const Placement& placement() const { return placement_; }

    // Moves the window's top-left corner to `position`, now the widget's
    // place.
    void moveTo(ScreenPosition position);

    // Shows the window at its place, or as near as lies inside `workAreas`,
    // keeping its place for when the monitor comes back.
    void keepOnScreen(const std::vector<WorkArea>& workAreas);

    CardAppearance appearance() const { return placement_.appearance; }
    // Keeps `appearance` with the placement; the host redraws the card.
    void setAppearance(CardAppearance appearance);

    // The card shown now, once the first entry arrived.
    const std::optional<render::LaidOutCard>& card() const { return card_; }

    // Device pixels per point of the screen the window is on.
    double scale() const;

    GtkWindow* window() const { return window_.get(); }

private:
    struct Signals;

    void followPointer();
    // Moves the window to `position`, where it is not already.
    void showAt(ScreenPosition position);
    void rebuildButtons();
    void describeButtons(const ReadyWidgetEntry& entry);

    // A tick button over its button's frame on the card.
    struct TickButton {
        GObjectPtr<GtkWidget> widget;
        render::ButtonFrame onCard;
        SignalConnection clicked;
    };

    DesktopBackend& desktop_;
    GObjectPtr<GtkWindow> window_;
    // Owned by the window: its child and the drawing area in it.
    GtkWidget* overlay_ = nullptr;
    GtkWidget* area_ = nullptr;
    // The handlers of the area's drag gesture.
    std::vector<SignalConnection> dragSignals_;
    std::vector<TickButton> buttons_;
    Placement placement_;
    // Where the window is shown: its place, or the nearest on a screen.
    std::optional<ScreenPosition> shownAt_;
    Actions actions_;
    std::unique_ptr<CardMenu> menu_;
    std::optional<render::LaidOutCard> card_;
    ColorScheme scheme_ = ColorScheme::light;

    // The count transition in progress.
    std::vector<CountChange> changes_;
    std::int64_t transitionStart_ = 0;
    unsigned transitionTick_ = 0;
    double progress_ = 1;

    // The drag in progress: whether it has become a move of the window and,
    // where the host moves it, the pointer's offset from the window's
    // top-left corner.
    bool moving_ = false;
    std::optional<ScreenPosition> grab_;
};

} // namespace tandry
