#pragma once

#include "widget/store/Error.h"

#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace tandry::render {

// A Cairo image surface (ARGB32) as PNG bytes with straight, not
// premultiplied, alpha, written by libpng at zlib's fastest level without
// row filters: a card is mostly flat colour, so speed costs little size.
Result<std::vector<unsigned char>> encodePng(cairo_surface_t* image);

} // namespace tandry::render
