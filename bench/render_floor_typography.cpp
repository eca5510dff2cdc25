// The floor of `tandry-widget render --family medium -o card.png` in the
// card's own typography: the nine lines of render_floor, each set in one of
// the seven fonts that the medium card asks Pango for (its family list,
// weights and sizes, the symbols' fonts included), so that every font is
// looked up as the card looks it up. Beside render_floor, it shows what the
// card's type costs before any of the widget's code runs.
//
//     render_floor_typography FILE.png

#include <cairo.h>
#include <cstdio>
#include <pango/pangocairo.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: render_floor_typography FILE.png\n", stderr);
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

    // Fonts are looked up in user space, as the card looks them up: with the
    // device scale in the context's matrix, fontconfig would match and sort
    // each of the seven fonts twice.
    PangoContext* context = pango_cairo_create_context(cairo);
    pango_context_set_matrix(context, nullptr);
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_width(layout, (width - 32) * PANGO_SCALE);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    struct Line {
        const char* text;
        const char* font;
    };
    // The header's title and count, a row's title, subtitle and due date,
    // the logo and the tick circle: the medium card's fonts, once each.
    const Line lines[] = {
        {"Ready", "Inter,sans-serif Semi-Bold 12px"},
        {"Send the invoice to Harbour & Finch", "Inter,sans-serif Medium 12px"},
        {"Water the plants", "Inter,sans-serif 10px"},
        {"Review the quarterly roadmap draft", "Inter,sans-serif Medium 10px"},
        {"Book the dentist appointment", "Inter,sans-serif Medium 11px"},
        {"Call the plumber about the kitchen sink", "Inter,sans-serif Semi-Bold 11px"},
        {"Renew the library books", "Inter,sans-serif 15px"},
        {"Prepare the slides for Monday", "Inter,sans-serif Medium 12px"},
        {"+3 more", "Inter,sans-serif 10px"},
    };
    cairo_set_source_rgb(cairo, 0, 0, 0);
    double y = 12;
    for (const Line& line : lines) {
        PangoFontDescription* font = pango_font_description_from_string(line.font);
        pango_layout_set_font_description(layout, font);
        pango_font_description_free(font);
        pango_layout_set_text(layout, line.text, -1);
        cairo_move_to(cairo, 16, y);
        pango_cairo_show_layout(cairo, layout);
        y += 16;
    }
    g_object_unref(layout);
    g_object_unref(context);
    cairo_destroy(cairo);
    const cairo_status_t status = cairo_surface_write_to_png(surface, argv[1]);
    cairo_surface_destroy(surface);
    return status == CAIRO_STATUS_SUCCESS ? 0 : 1;
}
