#include "platform/host/GalleryWindow.h"

#include "platform/host/HostBus.h"
#include "platform/render/CardSize.h"
#include "platform/render/Painter.h"
#include "widget/strings/WidgetStrings.h"

#include <cmath>
#include <gtk/gtk.h>
#include <string>

namespace tandry {
namespace {

// The cards in the gallery are drawn smaller than on the desktop, so that
// the three fit beside each other on a small screen.
constexpr double previewScale = 0.6;
constexpr int spacing = 18;

std::string nameKey(WidgetFamily family) {
    return std::string("host.gallery.") + shortFamilyName(family);
}

} // namespace

struct GalleryWindow::Signals {
    static void draw(GtkDrawingArea*, cairo_t* cairo, int, int, gpointer data) {
        const auto* choice = static_cast<const Choice*>(data);
        cairo_scale(cairo, previewScale, previewScale);
        render::paintCard(cairo, choice->card, {choice->scheme});
    }

    static void clicked(GtkButton* button, gpointer data) {
        auto* self = static_cast<GalleryWindow*>(data);
        for (const auto& choice : self->choices_) {
            if (choice->button == GTK_WIDGET(button)) {
                self->actions_.chosen(choice->family);
                return;
            }
        }
    }

    static gboolean closeRequested(GtkWindow*, gpointer data) {
        static_cast<GalleryWindow*>(data)->actions_.closed();
        // The host closes the window, when nothing runs from it any more.
        return TRUE;
    }
};

GalleryWindow::GalleryWindow(GtkApplication* application, const StaticConfiguration& configuration,
                             const std::vector<WidgetFamily>& families,
                             const ReadyWidgetEntry& preview, ColorScheme scheme,
                             CardRenderer& renderer, Actions actions)
    : actions_(std::move(actions)) {
    window_.reset(GTK_WINDOW(g_object_ref_sink(gtk_window_new())));
    GtkWindow* window = window_.get();
    gtk_window_set_application(window, application);
    gtk_window_set_title(window, WidgetStrings::text("host.gallery.title").c_str());
    gtk_window_set_icon_name(window, hostApplicationId);
    gtk_window_set_resizable(window, FALSE);
    signals_.push_back(SignalConnection::connect(window, "close-request",
                                                 G_CALLBACK(&Signals::closeRequested), this));
    GtkEventController* keys = gtk_shortcut_controller_new();
    gtk_shortcut_controller_add_shortcut(
        GTK_SHORTCUT_CONTROLLER(keys), gtk_shortcut_new(gtk_shortcut_trigger_parse_string("Escape"),
                                                        gtk_named_action_new("window.close")));
    gtk_widget_add_controller(GTK_WIDGET(window), keys);

    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, spacing);
    for (auto margin : {&gtk_widget_set_margin_top, &gtk_widget_set_margin_bottom,
                        &gtk_widget_set_margin_start, &gtk_widget_set_margin_end}) {
        margin(column, spacing);
    }
    GtkWidget* hint = gtk_label_new(WidgetStrings::text("host.gallery.hint").c_str());
    gtk_label_set_xalign(GTK_LABEL(hint), 0);
    gtk_box_append(GTK_BOX(column), hint);

    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, spacing);
    for (WidgetFamily family : families) {
        auto choice = std::make_unique<Choice>(Choice{
            .family = family,
            .card = renderer.render(configuration, preview, family, scheme, 1),
            .scheme = scheme,
        });
        const render::Size size = render::cardSize(family);
        choice->picture = gtk_drawing_area_new();
        gtk_widget_set_size_request(choice->picture,
                                    static_cast<int>(std::ceil(size.width * previewScale)),
                                    static_cast<int>(std::ceil(size.height * previewScale)));
        gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(choice->picture), &Signals::draw,
                                       choice.get(), nullptr);
        const std::string name = WidgetStrings::text(nameKey(family));
        GtkWidget* content = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
        gtk_box_append(GTK_BOX(content), choice->picture);
        gtk_box_append(GTK_BOX(content), gtk_label_new(name.c_str()));

        choice->button = gtk_button_new();
        gtk_widget_set_valign(choice->button, GTK_ALIGN_END);
        gtk_button_set_has_frame(GTK_BUTTON(choice->button), FALSE);
        gtk_button_set_child(GTK_BUTTON(choice->button), content);
        gtk_accessible_update_property(GTK_ACCESSIBLE(choice->button),
                                       GTK_ACCESSIBLE_PROPERTY_LABEL, name.c_str(), -1);
        signals_.push_back(SignalConnection::connect(choice->button, "clicked",
                                                     G_CALLBACK(&Signals::clicked), this));
        gtk_box_append(GTK_BOX(row), choice->button);
        choices_.push_back(std::move(choice));
    }
    gtk_box_append(GTK_BOX(column), row);
    gtk_window_set_child(window, column);
}

GalleryWindow::~GalleryWindow() {
    signals_.clear();
    for (const auto& choice : choices_) {
        gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(choice->picture), nullptr, nullptr,
                                       nullptr);
    }
    gtk_window_destroy(window_.get());
}

void GalleryWindow::present() {
    gtk_window_present(window_.get());
    if (!choices_.empty()) {
        gtk_widget_grab_focus(choices_.front()->button);
    }
}

} // namespace tandry
