#include "platform/render/SymbolArtwork.h"

#include <array>
#include <cairo.h>
#include <cmath>
#include <numbers>

namespace tandry::render {

namespace {

constexpr std::string_view circleName = "circle";
constexpr std::string_view connectedPointsName = "point.3.connected.trianglepath.dotted";

double strokeWidth(const Font& font) {
    double factor = 1.0;
    switch (font.weight) {
    case FontWeight::regular:
        factor = 1.0;
        break;
    case FontWeight::medium:
        factor = 1.15;
        break;
    case FontWeight::semibold:
        factor = 1.3;
        break;
    case FontWeight::bold:
        factor = 1.5;
        break;
    }
    return font.size / 12 * factor;
}

Point centre(Rect box) {
    return {box.origin.x + box.size.width / 2, box.origin.y + box.size.height / 2};
}

// An outline circle whose outer edge is 0.95 em across.
void drawCircle(cairo_t* cairo, const Font& font, Rect box) {
    const double stroke = strokeWidth(font);
    const Point middle = centre(box);
    cairo_set_line_width(cairo, stroke);
    cairo_new_sub_path(cairo);
    cairo_arc(cairo, middle.x, middle.y, (0.95 * font.size - stroke) / 2, 0, 2 * std::numbers::pi);
    cairo_stroke(cairo);
}

// Three dots on the corners of a triangle (one on top, two below), joined by
// dotted lines that stop short of the dots.
void drawConnectedPoints(cairo_t* cairo, const Font& font, Rect box) {
    const double em = 0.95 * font.size;
    const Point middle = centre(box);
    const double dotRadius = 0.13 * em;
    const std::array<Point, 3> points = {
        Point{middle.x, middle.y - 0.5 * em + dotRadius},
        Point{middle.x - 0.5 * em + dotRadius, middle.y + 0.5 * em - dotRadius},
        Point{middle.x + 0.5 * em - dotRadius, middle.y + 0.5 * em - dotRadius},
    };
    for (const Point& point : points) {
        cairo_new_sub_path(cairo);
        cairo_arc(cairo, point.x, point.y, dotRadius, 0, 2 * std::numbers::pi);
    }
    cairo_fill(cairo);

    const double stroke = strokeWidth(font) * 0.9;
    const std::array<double, 2> dash = {0.0, 2.2 * stroke};
    cairo_save(cairo);
    cairo_set_line_width(cairo, stroke);
    cairo_set_line_cap(cairo, CAIRO_LINE_CAP_ROUND);
    cairo_set_dash(cairo, dash.data(), static_cast<int>(dash.size()), 0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point from = points[i];
        const Point to = points[(i + 1) % points.size()];
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        const double ux = (to.x - from.x) / length;
        const double uy = (to.y - from.y) / length;
        const double gap = dotRadius + 1.4 * stroke;
        cairo_move_to(cairo, from.x + ux * gap, from.y + uy * gap);
        cairo_line_to(cairo, to.x - ux * gap, to.y - uy * gap);
    }
    cairo_stroke(cairo);
    cairo_restore(cairo);
}

void drawMissingSymbol(cairo_t* cairo, const Font& font, Rect box) {
    const double side = 0.8 * font.size;
    const Point middle = centre(box);
    const std::array<double, 1> dash = {side / 6};
    cairo_save(cairo);
    cairo_set_line_width(cairo, strokeWidth(font));
    cairo_set_dash(cairo, dash.data(), 1, 0);
    cairo_rectangle(cairo, middle.x - side / 2, middle.y - side / 2, side, side);
    cairo_stroke(cairo);
    cairo_restore(cairo);
}

} // namespace

bool hasSymbolArtwork(std::string_view name) {
    return name == circleName || name == connectedPointsName;
}

void drawSymbol(cairo_t* cairo, std::string_view name, const Font& font, Rect box) {
    if (name == circleName) {
        drawCircle(cairo, font, box);
    } else if (name == connectedPointsName) {
        drawConnectedPoints(cairo, font, box);
    } else {
        drawMissingSymbol(cairo, font, box);
    }
}

} // namespace tandry::render
