#include "platform/host/WidgetWindow.h"

#include "platform/host/DesktopBackend.h"
#include "platform/host/HostBus.h"
#include "platform/host/PlacementPlan.h"
#include "platform/render/CardSize.h"
#include "platform/render/Painter.h"
#include "platform/render/PlainText.h"
#include "platform/render/TreeQueries.h"
#include "widget/store/Uuid.h"

#include <algorithm>
#include <cmath>
#include <gtk/gtk.h>

namespace tandry {
namespace {

// How long a count takes to roll to its new value.
constexpr std::int64_t transitionMicroseconds = 350'000;

// How far the pointer must travel before a press on the card becomes a move.
constexpr double dragThreshold = 4;
// What a screen reader is given of a task's title: more than any title
// worth hearing, far less than a hostile one.
constexpr std::size_t spokenCharacters = 500;

void installStyle() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    // The window shows only the card; the buttons only their focus ring,
    // because the painter draws their circles.
    constexpr const char* style = "window.tandry-widget { background: none; box-shadow: none; }"
                                  "button.tandry-tick { min-width: 0; min-height: 0; padding: 0;"
                                  "  margin: 0; border: none; border-radius: 50%;"
                                  "  background: none; box-shadow: none; }"
                                  "button.tandry-tick:focus-visible {"
                                  "  outline: 2px solid alpha(currentColor, 0.6);"
                                  "  outline-offset: 1px; }";
    const GObjectPtr<GtkCssProvider> provider(gtk_css_provider_new());
    // The toolkit renamed the call in 4.12 and deprecated the old name, which
    // a build with warnings as errors must not use there.
#if GTK_CHECK_VERSION(4, 12, 0)
    gtk_css_provider_load_from_string(provider.get(), style);
#else
    gtk_css_provider_load_from_data(provider.get(), style, -1);
#endif
    gtk_style_context_add_provider_for_display(gdk_display_get_default(),
                                               GTK_STYLE_PROVIDER(provider.get()),
                                               GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

} // namespace

// The GTK callbacks, with access to the window's state.
struct WidgetWindow::Signals {
    static void draw(GtkDrawingArea*, cairo_t* cairo, int, int, gpointer data) {
        auto* self = static_cast<WidgetWindow*>(data);
        if (!self->card_) {
            return;
        }
        const render::PaintOptions options{self->scheme_};
        if (self->progress_ < 1) {
            paintCountTransition(cairo, *self->card_, self->changes_, self->progress_, options);
        } else {
            render::paintCard(cairo, *self->card_, options);
        }
    }

    static gboolean transitionFrame(GtkWidget* widget, GdkFrameClock* clock, gpointer data) {
        auto* self = static_cast<WidgetWindow*>(data);
        const std::int64_t now = gdk_frame_clock_get_frame_time(clock);
        if (self->transitionStart_ == 0) {
            self->transitionStart_ = now;
        }
        self->progress_ = static_cast<double>(now - self->transitionStart_) /
                          static_cast<double>(transitionMicroseconds);
        gtk_widget_queue_draw(widget);
        if (self->progress_ >= 1) {
            self->progress_ = 1;
            self->transitionTick_ = 0;
            return G_SOURCE_REMOVE;
        }
        return G_SOURCE_CONTINUE;
    }

    static void tickClicked(GtkButton* button, gpointer data) {
        auto* self = static_cast<WidgetWindow*>(data);
        for (const TickButton& tick : self->buttons_) {
            if (tick.widget.get() == GTK_WIDGET(button)) {
                self->actions_.tick(tick.onCard.button.intent);
                return;
            }
        }
    }

    static void dragBegin(GtkGestureDrag*, double, double, gpointer data) {
        auto* self = static_cast<WidgetWindow*>(data);
        self->moving_ = false;
        self->grab_.reset();
    }

    static void dragUpdate(GtkGestureDrag* gesture, double dx, double dy, gpointer data) {
        auto* self = static_cast<WidgetWindow*>(data);
        if (self->grab_) {
            self->followPointer();
            return;
        }
        if (self->moving_ || std::hypot(dx, dy) < dragThreshold) {
            return;
        }
        self->moving_ = true;
        double startX = 0;
        double startY = 0;
        gtk_gesture_drag_get_start_point(gesture, &startX, &startY);
        const DragStart drag{
            .device = gtk_gesture_get_device(GTK_GESTURE(gesture)),
            .button = static_cast<int>(
                gtk_gesture_single_get_current_button(GTK_GESTURE_SINGLE(gesture))),
            .x = startX + dx,
            .y = startY + dy,
            .time = gtk_event_controller_get_current_event_time(GTK_EVENT_CONTROLLER(gesture)),
        };
        if (self->desktop_.beginMove(self->window_.get(), drag)) {
            // The desktop moves the window from here on.
            gtk_event_controller_reset(GTK_EVENT_CONTROLLER(gesture));
            return;
        }
        // The host moves it: the point of the card that was pressed stays
        // under the pointer. The card fills the window from its corner.
        const double scale = self->scale();
        self->grab_ = ScreenPosition{static_cast<int>(std::lround(startX * scale)),
                                     static_cast<int>(std::lround(startY * scale))};
        self->followPointer();
    }

    static void dragEnd(GtkGestureDrag* gesture, double dx, double dy, gpointer data) {
        auto* self = static_cast<WidgetWindow*>(data);
        if (self->grab_) {
            self->followPointer();
            self->grab_.reset();
            self->actions_.placed(*self);
            return;
        }
        if (self->moving_ || !self->card_ || std::hypot(dx, dy) >= dragThreshold) {
            return;
        }
        double x = 0;
        double y = 0;
        gtk_gesture_drag_get_start_point(gesture, &x, &y);
        if (auto url = render::linkAt(self->card_->root, {x, y})) {
            self->actions_.openUrl(*url);
        }
    }
};

WidgetWindow::WidgetWindow(GtkApplication* application, DesktopBackend& desktop,
                           Placement placement, const std::vector<WorkArea>& workAreas,
                           std::string title, Actions actions)
    : desktop_(desktop), placement_(std::move(placement)), actions_(std::move(actions)) {
    installStyle();
    const render::Size size = render::cardSize(placement_.family);
    const int width = static_cast<int>(std::ceil(size.width));
    const int height = static_cast<int>(std::ceil(size.height));

    window_.reset(GTK_WINDOW(g_object_ref_sink(gtk_window_new())));
    GtkWindow* window = window_.get();
    gtk_window_set_application(window, application);
    gtk_window_set_title(window, title.c_str());
    // The icon is installed under the application's id.
    gtk_window_set_icon_name(window, hostApplicationId);
    gtk_window_set_decorated(window, FALSE);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_default_size(window, width, height);
    gtk_widget_add_css_class(GTK_WIDGET(window), "tandry-widget");

    area_ = gtk_drawing_area_new();
    gtk_widget_set_size_request(area_, width, height);
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(area_), &Signals::draw, this, nullptr);

    GtkGesture* drag = gtk_gesture_drag_new();
    gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(drag), GDK_BUTTON_PRIMARY);
    dragSignals_.push_back(
        SignalConnection::connect(drag, "drag-begin", G_CALLBACK(&Signals::dragBegin), this));
    dragSignals_.push_back(
        SignalConnection::connect(drag, "drag-update", G_CALLBACK(&Signals::dragUpdate), this));
    dragSignals_.push_back(
        SignalConnection::connect(drag, "drag-end", G_CALLBACK(&Signals::dragEnd), this));
    gtk_widget_add_controller(area_, GTK_EVENT_CONTROLLER(drag));

    overlay_ = gtk_overlay_new();
    gtk_overlay_set_child(GTK_OVERLAY(overlay_), area_);
    gtk_window_set_child(window, overlay_);

    const Placement shown = keptOnScreen(placement_, workAreas);
    if (shown.x && shown.y) {
        shownAt_ = ScreenPosition{*shown.x, *shown.y};
    }
    menu_ = std::make_unique<CardMenu>(window, placement_.appearance, std::move(actions_.menu));
    // A long press that opened the menu ends as a release on the card,
    // which opens nothing.
    actions_.openUrl = [this, open = std::move(actions_.openUrl)](std::string_view url) {
        if (!menu_->isOpen()) {
            open(url);
        }
    };
    desktop_.prepare(window, size, shownAt_);
    // Shown, not presented: presenting asks the window manager for the focus.
    gtk_widget_set_visible(GTK_WIDGET(window), TRUE);
}

WidgetWindow::~WidgetWindow() {
    if (transitionTick_ != 0) {
        gtk_widget_remove_tick_callback(area_, transitionTick_);
    }
    // Whatever still holds the window's widgets after it is destroyed, their
    // handlers must not reach this object: they leave before the window goes.
    dragSignals_.clear();
    buttons_.clear();
    menu_.reset();
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(area_), nullptr, nullptr, nullptr);
    gtk_window_destroy(window_.get());
}

double WidgetWindow::scale() const {
    return gtk_widget_get_scale_factor(GTK_WIDGET(window_.get()));
}

void WidgetWindow::show(const StaticConfiguration& configuration, const ReadyWidgetEntry& entry,
                        ColorScheme scheme, CardRenderer& renderer) {
    render::LaidOutCard next =
        renderer.render(configuration, entry, placement_.family, scheme, scale());
    // A load that finds what a tick's own redraw already showed changes
    // nothing, and a count still rolling rolls on.
    if (card_ == next && scheme_ == scheme) {
        return;
    }
    changes_ = card_ ? countChanges(*card_, next) : std::vector<CountChange>{};
    card_ = std::move(next);
    scheme_ = scheme;
    if (!changes_.empty()) {
        progress_ = 0;
        transitionStart_ = 0;
        if (transitionTick_ == 0) {
            transitionTick_ =
                gtk_widget_add_tick_callback(area_, &Signals::transitionFrame, this, nullptr);
        }
    } else {
        progress_ = 1;
    }
    rebuildButtons();
    describeButtons(entry);
    gtk_widget_queue_draw(area_);
}

void WidgetWindow::rebuildButtons() {
    std::vector<render::ButtonFrame> frames = render::buttonsIn(card_->root);
    // Most loads change nothing about the buttons; those keep theirs.
    if (std::equal(frames.begin(), frames.end(), buttons_.begin(), buttons_.end(),
                   [](const render::ButtonFrame& frame, const TickButton& tick) {
                       return frame == tick.onCard;
                   })) {
        return;
    }

    // Keyboard focus stays on the same place in the list of buttons, so that
    // ticking task after task from the keyboard needs no hunting.
    std::optional<std::size_t> focused;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        GtkWidget* widget = buttons_[i].widget.get();
        if (gtk_widget_has_focus(widget)) {
            focused = i;
        }
        buttons_[i].clicked.reset();
        gtk_overlay_remove_overlay(GTK_OVERLAY(overlay_), widget);
    }
    buttons_.clear();

    for (render::ButtonFrame& item : frames) {
        GObjectPtr<GtkWidget> button(GTK_WIDGET(g_object_ref_sink(gtk_button_new())));
        GtkWidget* widget = button.get();
        gtk_widget_add_css_class(widget, "tandry-tick");
        // A click with the mouse leaves the keyboard focus where it was.
        gtk_widget_set_focus_on_click(widget, FALSE);
        gtk_widget_set_halign(widget, GTK_ALIGN_START);
        gtk_widget_set_valign(widget, GTK_ALIGN_START);
        gtk_widget_set_margin_start(widget, static_cast<int>(std::floor(item.frame.minX())));
        gtk_widget_set_margin_top(widget, static_cast<int>(std::floor(item.frame.minY())));
        gtk_widget_set_size_request(widget, static_cast<int>(std::ceil(item.frame.size.width)),
                                    static_cast<int>(std::ceil(item.frame.size.height)));
        gtk_accessible_update_property(GTK_ACCESSIBLE(widget), GTK_ACCESSIBLE_PROPERTY_LABEL,
                                       item.button.accessibilityLabel.c_str(), -1);
        gtk_widget_set_tooltip_text(widget, item.button.accessibilityLabel.c_str());
        SignalConnection clicked =
            SignalConnection::connect(widget, "clicked", G_CALLBACK(&Signals::tickClicked), this);
        gtk_overlay_add_overlay(GTK_OVERLAY(overlay_), widget);
        buttons_.push_back({std::move(button), std::move(item), std::move(clicked)});
    }
    if (focused && !buttons_.empty()) {
        gtk_widget_grab_focus(buttons_[std::min(*focused, buttons_.size() - 1)].widget.get());
    }
}

void WidgetWindow::describeButtons(const ReadyWidgetEntry& entry) {
    // Every tick button has the same label; its description is the task's
    // title, so that a screen reader says which task it completes. It is the
    // title's plain characters, as many as anyone listens to: a NUL would cut
    // it short on the accessibility bus, and a title of a million characters
    // would be sent whole on every load.
    const ReadySnapshot* snapshot = entry.state.snapshot();
    for (const TickButton& tick : buttons_) {
        std::string title;
        if (snapshot != nullptr) {
            for (const ReadySnapshot::Item& task : snapshot->tasks) {
                if (uuidText(task.id) == tick.onCard.button.intent.parameter) {
                    title = render::plainText(task.title, spokenCharacters);
                }
            }
        }
        gtk_accessible_update_property(GTK_ACCESSIBLE(tick.widget.get()),
                                       GTK_ACCESSIBLE_PROPERTY_DESCRIPTION, title.c_str(), -1);
    }
}

void WidgetWindow::setAppearance(CardAppearance appearance) {
    placement_.appearance = appearance;
    menu_->setAppearance(appearance);
}

void WidgetWindow::followPointer() {
    if (const std::optional<ScreenPosition> pointer = desktop_.pointer()) {
        moveTo({pointer->x - grab_->x, pointer->y - grab_->y});
    }
}

void WidgetWindow::moveTo(ScreenPosition position) {
    placement_.x = position.x;
    placement_.y = position.y;
    showAt(position);
}

void WidgetWindow::keepOnScreen(const std::vector<WorkArea>& workAreas) {
    const Placement shown = keptOnScreen(placement_, workAreas);
    if (shown.x && shown.y) {
        showAt(ScreenPosition{*shown.x, *shown.y});
    }
}

void WidgetWindow::showAt(ScreenPosition position) {
    if (shownAt_ != position) {
        shownAt_ = position;
        desktop_.moveTo(window_.get(), position);
    }
}

} // namespace tandry
