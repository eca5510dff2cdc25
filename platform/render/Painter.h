#pragma once

#include "platform/render/LaidOutElement.h"
#include "widget/ui/ColorScheme.h"

typedef struct _cairo cairo_t;

namespace tandry::render {

struct PaintOptions {
    ColorScheme scheme = ColorScheme::light;

    bool operator==(const PaintOptions&) const = default;
};

// Draws a laid-out card on `cairo`, in points: the caller's transformation
// maps points to device units (scale it by 2 for a 2x image). Everything is
// clipped to the widget's rounded shape; outside it nothing is drawn.
// Leaves the cairo state as it found it.
void paintCard(cairo_t* cairo, const LaidOutCard& card, const PaintOptions& options = {});

} // namespace tandry::render
