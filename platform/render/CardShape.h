#pragma once

#include "platform/render/Geometry.h"

typedef struct _cairo cairo_t;

namespace tandry::render {

// The widget's corner radius: 0.13 of its shorter side.
double cardCornerRadius(Size card);

// Adds the widget's rounded outline to the current path.
void appendCardShape(cairo_t* cairo, Size card);

} // namespace tandry::render
