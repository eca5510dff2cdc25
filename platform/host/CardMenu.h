#pragma once

#include "platform/GLibOwnership.h"
#include "platform/host/Autostart.h"
#include "platform/host/CardAppearance.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

typedef struct _GSimpleAction GSimpleAction;
typedef struct _GSimpleActionGroup GSimpleActionGroup;
typedef struct _GtkWidget GtkWidget;
typedef struct _GtkWindow GtkWindow;

namespace tandry {

// The menu of one card, the toolkit's own popover menu over a menu model:
// add a card, remove this one, its appearance, starting at login, opening
// the task manager and quitting. It opens on a right-click anywhere on the
// card, a long press on a touch screen, and the Menu key or Shift+F10 while
// the card has the keyboard focus. A right-click or a long press only opens
// the menu: what the card does with a click is left to the primary button.
class CardMenu {
public:
    // What the menu's items ask of the host. Each runs from the toolkit's
    // action, so one that takes the card away must leave that for later.
    struct Actions {
        std::function<void()> addCard;
        std::function<void()> remove;
        std::function<void(CardAppearance appearance)> chooseAppearance;
        // Read each time the menu opens, so that the item shows the entry as
        // it is on disk now.
        std::function<StartAtLogin()> startAtLogin;
        std::function<void(StartAtLogin choice)> setStartAtLogin;
        std::function<void()> openTaskManager;
        std::function<void()> quit;
    };

    // A menu for the card in `window`, which must outlive it.
    CardMenu(GtkWindow* window, CardAppearance appearance, Actions actions);
    ~CardMenu();
    CardMenu(const CardMenu&) = delete;
    CardMenu& operator=(const CardMenu&) = delete;

    // Opens the menu at (x, y) of the card; without a point, at the widget
    // with the keyboard focus, else at the card's top-left corner.
    void open(std::optional<std::pair<double, double>> at = std::nullopt);

    bool isOpen() const;

    void setAppearance(CardAppearance appearance);

private:
    struct Signals;

    GtkWindow* window_;
    Actions actions_;
    GObjectPtr<GSimpleActionGroup> group_;
    GSimpleAction* appearanceAction_ = nullptr;
    GSimpleAction* startAtLoginAction_ = nullptr;
    // Parented to the window; unparented when the menu goes.
    GtkWidget* popover_ = nullptr;
    std::vector<SignalConnection> signals_;
};

} // namespace tandry
