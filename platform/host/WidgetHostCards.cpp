// The cards the user adds and removes from the desktop, through each card's
// menu and the gallery.

#include "platform/host/DesktopBackend.h"
#include "platform/host/FreePlace.h"
#include "platform/host/GalleryWindow.h"
#include "platform/host/HostedKind.h"
#include "platform/host/IntentWorker.h"
#include "platform/host/PlacementPlan.h"
#include "platform/host/WidgetHost.h"
#include "platform/host/WidgetWindow.h"
#include "platform/render/TreeQueries.h"
#include "widget/intents/TickReadyTaskIntent.h"
#include "widget/strings/LayoutDirection.h"
#include "widget/strings/WidgetStrings.h"
#include "widget/timeline/WidgetKind.h"

#include <algorithm>
#include <gtk/gtk.h>

#undef G_LOG_DOMAIN
#define G_LOG_DOMAIN "tandry-widget-host"

namespace tandry {

std::unique_ptr<WidgetWindow> WidgetHost::openCard(HostedKind& hosted, Placement placement,
                                                  const std::vector<WorkArea>& workAreas) {
    const std::string title = hosted.configuration.displayName
                                  ? WidgetStrings::text(hosted.configuration.displayName->key)
                                  : hosted.configuration.kind;
    // The menu's items reach the window they belong to through this cell,
    // filled once the window exists.
    auto self = std::make_shared<const WidgetWindow*>(nullptr);
    auto window = std::make_unique<WidgetWindow>(
        GTK_APPLICATION(application_.get()), *desktop_, std::move(placement), workAreas, title,
        WidgetWindow::Actions{
            .tick =
                [this](const IntentReference& intent) {
                    // The cards' only intent; a reference to any other does nothing.
                    if (intent.type == tickReadyTaskIntentType) {
                        worker_->perform(TickReadyTaskIntent(intent.parameter));
                    }
                },
            .openUrl =
                [this](std::string_view url) {
                    urlOpener_.open(url);
                    events_.linkOpened(url);
                },
            .placed = [this](WidgetWindow& window) { placed(window); },
            .menu =
                {
                    .addCard = [this] { openGallery(); },
                    .remove = [this, self] { removeCard(*self); },
                    .chooseAppearance =
                        [this, self](CardAppearance chosen) { chooseAppearance(*self, chosen); },
                    .startAtLogin = [this] { return startAtLogin(); },
                    .setStartAtLogin = [this](StartAtLogin choice) { setStartAtLogin(choice); },
                    .openTaskManager =
                        [this, self] {
                            const auto& card = (*self)->card();
                            // The link the whole card carries, as a click on it opens.
                            if (auto url =
                                    card ? render::linkAt(card->root, {0, 0}) : std::nullopt) {
                                urlOpener_.open(*url);
                                events_.linkOpened(*url);
                            }
                        },
                    .quit = [this] { g_application_quit(application_.get()); },
                },
        });
    *self = window.get();
    if (hosted.entry) {
        window->show(hosted.configuration, *hosted.entry, schemeOf(*window), *renderer_);
    }
    return window;
}

void WidgetHost::addCard(HostedKind& hosted, WidgetFamily family) {
    // 1. Every card on the desktop now, of every kind, where it is.
    std::vector<Placement> others;
    for (const auto& kind : kinds_) {
        for (const auto& window : kind->windows) {
            others.push_back(window->placement());
        }
    }
    // 2. A free place on the monitor the user is looking at.
    Placement placement{.kind = hosted.configuration.kind, .family = family};
    const std::vector<WorkArea> workAreas = desktop_->workAreas();
    if (auto area = workAreaAt(workAreas, desktop_->pointer())) {
        placement = placedFreely(std::move(placement), others, *area,
                                 userLayoutDirection() == LayoutDirection::rightToLeft);
    }
    hosted.windows.push_back(openCard(hosted, std::move(placement), workAreas));
    savePlacements();
}

void WidgetHost::removeCard(const WidgetWindow* window) {
    for (auto& hosted : kinds_) {
        auto found = std::find_if(hosted->windows.begin(), hosted->windows.end(),
                                  [&](const auto& open) { return open.get() == window; });
        if (found == hosted->windows.end()) {
            continue;
        }
        gtk_widget_set_visible(GTK_WIDGET((*found)->window()), FALSE);
        retiredCards_.push_back(std::move(*found));
        hosted->windows.erase(found);
    }
    retireSoon();
    savePlacements();
    if (cardCount() == 0 && !gallery_) {
        g_application_quit(application_.get());
    }
}

void WidgetHost::chooseAppearance(const WidgetWindow* window, CardAppearance appearance) {
    for (auto& hosted : kinds_) {
        for (auto& open : hosted->windows) {
            if (open.get() == window) {
                open->setAppearance(appearance);
                if (hosted->entry) {
                    open->show(hosted->configuration, *hosted->entry, schemeOf(*open), *renderer_);
                }
            }
        }
    }
    savePlacements();
}

void WidgetHost::openGallery() {
    if (gallery_) {
        gallery_->present();
        return;
    }
    if (kinds_.empty()) {
        return;
    }
    // The one kind the bundle declares; a gallery per kind would list them all.
    HostedKind& hosted = *kinds_.front();
    std::optional<ReadyWidgetEntry> preview;
    hosted.configuration.provider(clock_, environment_.container.path)
        .getSnapshot({.isPreview = true},
                     [&](ReadyWidgetEntry entry) { preview = std::move(entry); });
    if (!preview) {
        return;
    }
    gallery_ = std::make_unique<GalleryWindow>(
        GTK_APPLICATION(application_.get()), hosted.configuration,
        offeredFamilies(hosted.configuration), *preview, scheme(), *renderer_,
        GalleryWindow::Actions{
            .chosen =
                [this, &hosted](WidgetFamily family) {
                    addCard(hosted, family);
                    closeGallery();
                },
            .closed = [this] { closeGallery(); },
        });
    gallery_->present();
}

void WidgetHost::closeGallery() {
    if (!gallery_) {
        return;
    }
    gtk_widget_set_visible(GTK_WIDGET(gallery_->window()), FALSE);
    retiredGallery_ = std::move(gallery_);
    retireSoon();
    if (cardCount() == 0) {
        g_application_quit(application_.get());
    }
}

void WidgetHost::retireSoon() {
    if (!retireSource_.active()) {
        retireSource_ = SourceHandle(g_idle_add(
            [](gpointer data) -> gboolean {
                auto* self = static_cast<WidgetHost*>(data);
                self->retireSource_.release();
                self->retiredCards_.clear();
                self->retiredGallery_.reset();
                return G_SOURCE_REMOVE;
            },
            this));
    }
}

StartAtLogin WidgetHost::startAtLogin() const {
    const auto directory = userAutostartDirectory(BaseDirectories::from(environment_.variables));
    return directory ? startAtLoginState(*directory) : StartAtLogin::off;
}

void WidgetHost::setStartAtLogin(StartAtLogin choice) {
    const auto shipped = shippedAutostartEntry();
    const auto directory = userAutostartDirectory(BaseDirectories::from(environment_.variables));
    if (!shipped || !directory) {
        g_warning("Cannot change starting at login: %s",
                  shipped ? "no home directory is known" : "the autostart entry is not installed");
        return;
    }
    if (auto done = tandry::setStartAtLogin(choice, *shipped, *directory)) {
        g_message("%s", done->c_str());
    } else {
        g_warning("Cannot change starting at login: %s", done.error().message.c_str());
    }
}

ColorScheme WidgetHost::schemeOf(const WidgetWindow& window) const {
    // --scheme decides for every card for the run.
    return options_.scheme == SchemeChoice::automatic
               ? tandry::schemeOf(window.appearance(), scheme())
               : scheme();
}

void WidgetHost::followSchemeInWindows() {
    if (options_.headless) {
        return;
    }
    g_object_set(gtk_settings_get_default(), "gtk-application-prefer-dark-theme",
                 scheme() == ColorScheme::dark, nullptr);
}

std::size_t WidgetHost::cardCount() const {
    std::size_t count = 0;
    for (const auto& hosted : kinds_) {
        count += hosted->windows.size();
    }
    return count;
}

} // namespace tandry
