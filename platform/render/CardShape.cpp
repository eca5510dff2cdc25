#include "platform/render/CardShape.h"

#include <algorithm>
#include <cairo.h>

namespace tandry::render {

double cardCornerRadius(Size card) {
    return 0.13 * std::min(card.width, card.height);
}

void appendCardShape(cairo_t* cairo, Size card) {
    // Corners drawn as cubic curves whose handles reach further than a
    // circular arc's (0.552), which eases the join between edge and corner
    // the way a continuous-curvature outline does.
    const double radius = cardCornerRadius(card);
    const double handle = radius * (1 - 0.64);
    const double width = card.width;
    const double height = card.height;
    cairo_new_sub_path(cairo);
    cairo_move_to(cairo, radius, 0);
    cairo_line_to(cairo, width - radius, 0);
    cairo_curve_to(cairo, width - handle, 0, width, handle, width, radius);
    cairo_line_to(cairo, width, height - radius);
    cairo_curve_to(cairo, width, height - handle, width - handle, height, width - radius, height);
    cairo_line_to(cairo, radius, height);
    cairo_curve_to(cairo, handle, height, 0, height - handle, 0, height - radius);
    cairo_line_to(cairo, 0, radius);
    cairo_curve_to(cairo, 0, handle, handle, 0, radius, 0);
    cairo_close_path(cairo);
}

} // namespace tandry::render
