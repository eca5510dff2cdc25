#pragma once

#include "platform/GLibOwnership.h"
#include "platform/render/CardRenderer.h"

#include <functional>
#include <memory>
#include <vector>

typedef struct _GtkApplication GtkApplication;
typedef struct _GtkWidget GtkWidget;
typedef struct _GtkWindow GtkWindow;

namespace tandry {

// The window from which the user adds a card: one choice per family the
// widget offers, each its card drawn from the gallery preview's sample
// content with the family's name under it. A choice is a button, so a
// click, or the arrow keys and Enter, take it, and a screen reader hears
// its name.
class GalleryWindow {
public:
    struct Actions {
        // A family was chosen; the gallery stays open until the host closes it.
        std::function<void(WidgetFamily family)> chosen;
        // The user closed the window (its close button, Escape).
        std::function<void()> closed;
    };

    // A gallery of `families` of `configuration`, each showing `preview`.
    GalleryWindow(GtkApplication* application, const StaticConfiguration& configuration,
                  const std::vector<WidgetFamily>& families, const ReadyWidgetEntry& preview,
                  ColorScheme scheme, CardRenderer& renderer, Actions actions);
    ~GalleryWindow();
    GalleryWindow(const GalleryWindow&) = delete;
    GalleryWindow& operator=(const GalleryWindow&) = delete;

    // Brings the window to the front with the keyboard focus.
    void present();

    GtkWindow* window() const { return window_.get(); }

private:
    struct Signals;

    // One choice: its family, its card and its button.
    struct Choice {
        WidgetFamily family;
        render::LaidOutCard card;
        ColorScheme scheme = ColorScheme::light;
        GtkWidget* button = nullptr;
        GtkWidget* picture = nullptr;
    };

    GObjectPtr<GtkWindow> window_;
    Actions actions_;
    // Stable addresses: each drawing function is handed its choice.
    std::vector<std::unique_ptr<Choice>> choices_;
    std::vector<SignalConnection> signals_;
};

} // namespace tandry
