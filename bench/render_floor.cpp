// The floor of `tandry-widget render --family medium -o card.png`: nine lines
// of text drawn with Pango and Cairo on a card of the medium size (364 x 170
// points at two device pixels per point) and written as a PNG, by the plain C
// interfaces of both libraries and nothing else.
//
//     render_floor FILE.png

#include <cairo.h>
#include <cstdio>
#include <pango/pangocairo.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: render_floor FILE.png\n", stderr);
        return 2;
    }
    constexpr double scale = 2;
    constexpr int width = 364;
    constexpr int height = 170;
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, static_cast<int>(width * scale), static_cast<int>(height * scale));
    cairo_t* cairo = cairo_create(surface);
    cairo_scale(cairo, scale, scale);
    cairo_set_source_rgb(cairo, 1, 1, 1);
    cairo_paint(cairo);

    PangoLayout* layout = pango_cairo_create_layout(cairo);
    PangoFontDescription* font = pango_font_description_from_string("Inter 11px");
    pango_layout_set_font_description(layout, font);
    pango_layout_set_width(layout, (width - 32) * PANGO_SCALE);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    const char* lines[] = {
        "Ready",
        "Send the invoice to Harbour & Finch",
        "Water the plants",
        "Review the quarterly roadmap draft",
        "Book the dentist appointment",
        "Call the plumber about the kitchen sink",
        "Renew the library books",
        "Prepare the slides for Monday",
        "+3 more",
    };
    cairo_set_source_rgb(cairo, 0, 0, 0);
    double y = 12;
    for (const char* line : lines) {
        pango_layout_set_text(layout, line, -1);
        cairo_move_to(cairo, 16, y);
        pango_cairo_show_layout(cairo, layout);
        y += 16;
    }
    pango_font_description_free(font);
    g_object_unref(layout);
    cairo_destroy(cairo);
    const cairo_status_t status = cairo_surface_write_to_png(surface, argv[1]);
    cairo_surface_destroy(surface);
    return status == CAIRO_STATUS_SUCCESS ? 0 : 1;
}
