#include "platform/render/PngEncoder.h"

#include <cairo.h>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fmt/format.h>
#include <png.h>
#include <zlib.h>

namespace tandry::render {

namespace {

// Cairo keeps each pixel as one native-endian 32-bit word with premultiplied
// alpha; PNG wants straight alpha, byte by byte (B, G, R, A here, with the
// writer told to swap to R, G, B, A). One row at a time, into `out`: a copy
// of the whole image would cost as much in fresh pages as the encoding.
void straightBgraRow(const unsigned char* row, int width, unsigned char* out) {
    for (int x = 0; x < width; ++x, out += 4) {
        std::uint32_t word;
        std::memcpy(&word, row + static_cast<std::ptrdiff_t>(x) * 4, sizeof word);
        const std::uint32_t alpha = word >> 24;
        std::uint32_t red = (word >> 16) & 0xFF;
        std::uint32_t green = (word >> 8) & 0xFF;
        std::uint32_t blue = word & 0xFF;
        if (alpha != 0 && alpha != 255) {
            red = (red * 255 + alpha / 2) / alpha;
            green = (green * 255 + alpha / 2) / alpha;
            blue = (blue * 255 + alpha / 2) / alpha;
        }
        out[0] = static_cast<unsigned char>(blue);
        out[1] = static_cast<unsigned char>(green);
        out[2] = static_cast<unsigned char>(red);
        out[3] = static_cast<unsigned char>(alpha);
    }
}

// Where the writer's output and its first error go. libpng reports errors
// by jumping back to `png_jmpbuf`; everything that jump skips (the libpng
// calls and the callbacks below) holds nothing that needs destroying.
struct PngSink {
    std::vector<unsigned char>* bytes;
    char message[256];
};

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    try {
        sink->bytes->insert(sink->bytes->end(), data, data + length);
    } catch (...) {
        png_error(png, "out of memory");
    }
}

void flushNothing(png_structp) {}

[[noreturn]] void recordError(png_structp png, png_const_charp message) {
    auto* sink = static_cast<PngSink*>(png_get_error_ptr(png));
    std::snprintf(sink->message, sizeof sink->message, "%s", message);
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// Returns false with `sink.message` set when libpng failed.
bool writePng(PngSink& sink, cairo_surface_t* image, png_bytep rowBuffer) {
    const int width = cairo_image_surface_get_width(image);
    const int height = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, recordError, ignoreWarning);
    if (png == nullptr) {
        std::snprintf(sink.message, sizeof sink.message, "cannot create the writer");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &sink, appendBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    // A card is mostly flat colour: at zlib's fastest level, unfiltered rows
    // of repeated pixels already become long back-references. Filters and
    // the run-length strategy measured slower here for no smaller output.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, Z_BEST_SPEED);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < height; ++y) {
        straightBgraRow(data + static_cast<std::ptrdiff_t>(y) * stride, width, rowBuffer);
        png_write_row(png, rowBuffer);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

Result<std::vector<unsigned char>> encodePng(cairo_surface_t* image) {
    if (cairo_surface_get_type(image) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(image) != CAIRO_FORMAT_ARGB32) {
        return fail("cannot encode PNG: not an ARGB32 image surface");
    }
    cairo_surface_flush(image);
    const int width = cairo_image_surface_get_width(image);
    const int height = cairo_image_surface_get_height(image);
    std::vector<unsigned char> rowBuffer(static_cast<std::size_t>(width) * 4);

    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(width) * height / 2);
    PngSink sink{&bytes, {}};
    if (!writePng(sink, image, rowBuffer.data())) {
        return fail(fmt::format("cannot encode PNG: {}", sink.message));
    }
    return bytes;
}

} // namespace tandry::render
