#include "platform/render/PngEncoder.h"

#include <cairo.h>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <fmt/format.h>
#include <png.h>
#include <string>
#include <zlib.h>

namespace tandry::render {
namespace {

// Cairo keeps each pixel as one native-endian 32-bit word with premultiplied
// alpha; PNG wants straight alpha, byte by byte (B, G, R, A here, with the
// writer told to swap to R, G, B, A).
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

// libpng reports errors by jumping back to `png_jmpbuf`; everything such a
// jump skips holds nothing that needs destroying.
void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    try {
        bytes->insert(bytes->end(), data, data + length);
    } catch (...) {
        png_error(png, "out of memory");
    }
}

void flushNothing(png_structp) {}

[[noreturn]] void recordError(png_structp png, png_const_charp message) {
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    try {
        *error = message;
    } catch (...) {
        // The jump below still reports the failure, without its words.
    }
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

struct WriteStruct {
    png_structp png = nullptr;
    png_infop info = nullptr;

    ~WriteStruct() { png_destroy_write_struct(&png, &info); }
};

// The libpng calls, apart so that the jump back on an error skips no
// destructor.
bool writeImage(const WriteStruct& writer, const unsigned char* data, int width, int height,
                int stride, std::vector<unsigned char>& bytes, std::vector<unsigned char>& row) {
    if (setjmp(png_jmpbuf(writer.png)) != 0) {
        return false;
    }
    png_set_write_fn(writer.png, &bytes, appendBytes, flushNothing);
    png_set_IHDR(writer.png, writer.info, static_cast<png_uint_32>(width),
                 static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(writer.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(writer.png, Z_BEST_SPEED);
    png_write_info(writer.png, writer.info);
    png_set_bgr(writer.png);
    for (int y = 0; y < height; ++y) {
        straightBgraRow(data + static_cast<std::ptrdiff_t>(y) * stride, width, row.data());
        png_write_row(writer.png, row.data());
    }
    png_write_end(writer.png, nullptr);
    return true;
}

} // namespace

Result<std::vector<unsigned char>> encodePng(cairo_surface_t* image) {
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        return fail(fmt::format("cannot encode PNG: {}",
                                cairo_status_to_string(cairo_surface_status(image))));
    }
    if (cairo_surface_get_type(image) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(image) != CAIRO_FORMAT_ARGB32) {
        return fail("cannot encode PNG: not an ARGB32 image surface");
    }
    const int width = cairo_image_surface_get_width(image);
    const int height = cairo_image_surface_get_height(image);
    if (width <= 0 || height <= 0) {
        return fail(fmt::format("cannot encode PNG: an image of {}x{} pixels", width, height));
    }
    std::string error;
    WriteStruct writer;
    writer.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, recordError, ignoreWarning);
    if (writer.png != nullptr) {
        writer.info = png_create_info_struct(writer.png);
    }
    if (writer.png == nullptr || writer.info == nullptr) {
        return fail("cannot encode PNG: cannot create the writer");
    }
    cairo_surface_flush(image);
    std::vector<unsigned char> bytes;
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 4);
    if (!writeImage(writer, cairo_image_surface_get_data(image), width, height,
                    cairo_image_surface_get_stride(image), bytes, row)) {
        return fail(fmt::format("cannot encode PNG: {}", error));
    }
    return bytes;
}

} // namespace tandry::render
