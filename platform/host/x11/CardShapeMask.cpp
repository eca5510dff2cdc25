#include "platform/host/x11/CardShapeMask.h"

#include "platform/host/x11/X11Window.h"
#include "platform/render/CardShape.h"

#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <cairo.h>
#include <cmath>
#include <gtk/gtk.h>

namespace tandry::x11 {
namespace {

// The card's outline as runs of covered pixels, row by row from the top.
std::vector<XRectangle> coveredRuns(render::Size card, int scale) {
    const int width = static_cast<int>(std::ceil(card.width * scale));
    const int height = static_cast<int>(std::ceil(card.height * scale));
    // The card's own outline, drawn without antialiasing: a pixel is in the
    // window where its centre is in the card.
    const CairoSurfacePtr mask(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height));
    {
        const CairoPtr cairo(cairo_create(mask.get()));
        cairo_set_antialias(cairo.get(), CAIRO_ANTIALIAS_NONE);
        cairo_scale(cairo.get(), scale, scale);
        render::appendCardShape(cairo.get(), card);
        cairo_fill(cairo.get());
    }
    cairo_surface_flush(mask.get());

    std::vector<XRectangle> runs;
    const unsigned char* pixels = cairo_image_surface_get_data(mask.get());
    const int stride = cairo_image_surface_get_stride(mask.get());
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        int x = 0;
        while (x < width) {
            while (x < width && row[x] < 128) {
                ++x;
            }
            const int start = x;
            while (x < width && row[x] >= 128) {
                ++x;
            }
            if (x > start) {
                runs.push_back({static_cast<short>(start), static_cast<short>(y),
                                static_cast<unsigned short>(x - start), 1});
            }
        }
    }
    return runs;
}

} // namespace

void shapeLikeCard(GtkWindow* window, render::Size card, int scale) {
    const X11Window x11 = x11Window(window);
    // KWin paints black under a window of the desktop type, composited or
    // not.
    if (gdk_display_is_composited(gdk_surface_get_display(x11.surface)) &&
        windowManagerName(x11.display) != "KWin") {
        XShapeCombineMask(x11.display, x11.window, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        std::vector<XRectangle> runs = coveredRuns(card, scale);
        XShapeCombineRectangles(x11.display, x11.window, ShapeBounding, 0, 0, runs.data(),
                                static_cast<int>(runs.size()), ShapeSet, YXBanded);
    }
    XFlush(x11.display);
}

} // namespace tandry::x11
