#pragma once

#include "widget/system/Error.h"

#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace tandry::render {

// A Cairo image surface (ARGB32) as PNG bytes with straight alpha, written by
// libpng at zlib's fastest level without row filters. A card is mostly flat
// colour, so unfiltered rows of repeated pixels already become long
// back-references: against Cairo's own writer (default level, adaptive
// filters) the medium card at 2x is painted and encoded in 2.5 ms instead of
// 8.5 ms of CPU (PaintAndEncodeMediumCardPng in bench/render_bench, Release
// build).
Result<std::vector<unsigned char>> encodePng(cairo_surface_t* image);

} // namespace tandry::render
