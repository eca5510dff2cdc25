#pragma once

#include "widget/store/Error.h"

#include <memory>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace tandry::render {

// Writes an image as PNG bytes a band of rows at a time, so that the whole
// image never needs to exist at once. Pixels come from Cairo image surfaces
// (ARGB32) and are written with straight, not premultiplied, alpha, by
// libpng at zlib's fastest level without row filters: a card is mostly flat
// colour, so speed costs little size.
class PngWriter {
public:
    PngWriter(int width, int height);
    ~PngWriter();
    PngWriter(PngWriter&&) noexcept;
    PngWriter& operator=(PngWriter&&) noexcept;

    // Appends `rows` rows of `band`, an ARGB32 image surface as wide as the
    // image, starting with its row `first`. After a failure, every later
    // call fails too.
    Result<void> writeRows(cairo_surface_t* band, int first, int rows);

    // The PNG, once every row of the image has been written.
    Result<std::vector<unsigned char>> finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// A whole Cairo image surface (ARGB32) as PNG bytes.
Result<std::vector<unsigned char>> encodePng(cairo_surface_t* image);

} // namespace tandry::render
