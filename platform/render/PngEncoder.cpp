#include "platform/render/PngEncoder.h"

#include <algorithm>
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

// libpng reports errors by jumping back to `png_jmpbuf`; everything such a
// jump skips (the libpng calls and the callbacks below) holds nothing that
// needs destroying.
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

} // namespace

struct PngWriter::State {
    png_structp png = nullptr;
    png_infop info = nullptr;
    int width = 0;
    int height = 0;
    int rowsWritten = 0;
    std::vector<unsigned char> bytes;
    std::vector<unsigned char> rowBuffer;
    // Set by the first failure; every later call reports it again.
    std::string error;

    ~State() { png_destroy_write_struct(&png, &info); }

    bool failed() const { return !error.empty(); }

    void start() {
        if (setjmp(png_jmpbuf(png)) != 0) {
            return;
        }
        png_set_write_fn(png, &bytes, appendBytes, flushNothing);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                     8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        // A card is mostly flat colour: at zlib's fastest level, unfiltered
        // rows of repeated pixels already become long back-references.
        // Filters and the run-length strategy measured slower here for no
        // smaller output.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_compression_level(png, Z_BEST_SPEED);
        png_write_info(png, info);
        png_set_bgr(png);
    }

    void writeRows(const unsigned char* data, int stride, int rows) {
        if (setjmp(png_jmpbuf(png)) != 0) {
            return;
        }
        for (int y = 0; y < rows; ++y) {
            straightBgraRow(data + static_cast<std::ptrdiff_t>(y) * stride, width,
                            rowBuffer.data());
            png_write_row(png, rowBuffer.data());
        }
    }

    void end() {
        if (setjmp(png_jmpbuf(png)) != 0) {
            return;
        }
        png_write_end(png, nullptr);
    }
};

PngWriter::PngWriter(int width, int height) : state_(std::make_unique<State>()) {
    state_->width = width;
    state_->height = height;
    state_->png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &state_->error, recordError, ignoreWarning);
    if (state_->png != nullptr) {
        state_->info = png_create_info_struct(state_->png);
    }
    if (state_->png == nullptr || state_->info == nullptr) {
        state_->error = "cannot create the writer";
        return;
    }
    if (width <= 0 || height <= 0) {
        state_->error = fmt::format("cannot write an image of {}x{} pixels", width, height);
        return;
    }
    state_->rowBuffer.resize(static_cast<std::size_t>(width) * 4);
    // Room for a card's PNG, which is far smaller than its pixels; pages of
    // the reservation that are never written cost nothing.
    constexpr std::size_t largestReservation = 16 << 20;
    state_->bytes.reserve(
        std::min(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) / 2,
                 largestReservation));
    state_->start();
}

PngWriter::~PngWriter() = default;
PngWriter::PngWriter(PngWriter&&) noexcept = default;
PngWriter& PngWriter::operator=(PngWriter&&) noexcept = default;

Result<void> PngWriter::writeRows(cairo_surface_t* band, int first, int rows) {
    State& state = *state_;
    if (!state.failed()) {
        if (cairo_surface_get_type(band) != CAIRO_SURFACE_TYPE_IMAGE ||
            cairo_image_surface_get_format(band) != CAIRO_FORMAT_ARGB32 ||
            cairo_image_surface_get_width(band) != state.width) {
            state.error =
                fmt::format("the rows are not an ARGB32 image {} pixels wide", state.width);
        } else if (first < 0 || rows < 0 || rows > cairo_image_surface_get_height(band) - first ||
                   rows > state.height - state.rowsWritten) {
            state.error = fmt::format("{} rows do not fit: {} of {} are written", rows,
                                      state.rowsWritten, state.height);
        } else {
            cairo_surface_flush(band);
            const int stride = cairo_image_surface_get_stride(band);
            state.writeRows(cairo_image_surface_get_data(band) +
                                static_cast<std::ptrdiff_t>(first) * stride,
                            stride, rows);
            state.rowsWritten += rows;
        }
    }
    if (state.failed()) {
        return fail(fmt::format("cannot encode PNG: {}", state.error));
    }
    return {};
}

Result<std::vector<unsigned char>> PngWriter::finish() {
    State& state = *state_;
    if (!state.failed() && state.rowsWritten != state.height) {
        state.error =
            fmt::format("only {} of {} rows are written", state.rowsWritten, state.height);
    }
    if (!state.failed()) {
        state.end();
    }
    if (state.failed()) {
        return fail(fmt::format("cannot encode PNG: {}", state.error));
    }
    return std::move(state.bytes);
}

Result<std::vector<unsigned char>> encodePng(cairo_surface_t* image) {
    if (cairo_surface_get_type(image) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(image) != CAIRO_FORMAT_ARGB32) {
        return fail("cannot encode PNG: not an ARGB32 image surface");
    }
    const int height = cairo_image_surface_get_height(image);
    PngWriter writer(cairo_image_surface_get_width(image), height);
    if (Result<void> written = writer.writeRows(image, 0, height); !written) {
        return std::unexpected(written.error());
    }
    return writer.finish();
}

} // namespace tandry::render
