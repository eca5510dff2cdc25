// The floor that bench/host-weight weighs the desktop host against: the least
// a GTK 4 application does to show three card-sized pictures, each in an
// undecorated window of its own, and then sit idle. It takes the PNG files to
// show as arguments (the host's own cards, drawn at one pixel per point), so
// that both programs show the same pixels; the renderer comes from the same
// environment as the host's.
#include <gtk/gtk.h>
#include <vector>

namespace {

struct Pictures {
    std::vector<const char*> files;
};

void activate(GtkApplication* application, gpointer data) {
    for (const char* file : static_cast<Pictures*>(data)->files) {
        GdkTexture* texture = gdk_texture_new_from_filename(file, nullptr);
        if (texture == nullptr) {
            g_printerr("host_floor: cannot read %s\n", file);
            g_application_quit(G_APPLICATION(application));
            return;
        }
        GtkWidget* window = gtk_application_window_new(application);
        gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
        gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
        gtk_window_set_default_size(GTK_WINDOW(window), gdk_texture_get_width(texture),
                                    gdk_texture_get_height(texture));
        gtk_window_set_child(GTK_WINDOW(window),
                             gtk_picture_new_for_paintable(GDK_PAINTABLE(texture)));
        g_object_unref(texture);
        gtk_widget_set_visible(window, TRUE);
    }
}

} // namespace

int main(int argc, char** argv) {
    Pictures pictures;
    for (int i = 1; i < argc; ++i) {
        pictures.files.push_back(argv[i]);
    }
    GtkApplication* application =
        gtk_application_new("app.tandry.HostFloor", G_APPLICATION_NON_UNIQUE);
    g_signal_connect(application, "activate", G_CALLBACK(activate), &pictures);
    char* name = argv[0];
    const int status = g_application_run(G_APPLICATION(application), 1, &name);
    g_object_unref(application);
    return status;
}
