#include "platform/render/CardOutput.h"

#include "platform/render/Painter.h"
#include "platform/render/PngEncoder.h"
#include "platform/render/TreeDump.h"

#include <algorithm>
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fmt/format.h>
#include <fstream>

namespace tandry::render {

namespace {

Result<void> writeBytes(const std::filesystem::path& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        return fail(fmt::format("cannot write {}: {}", path.string(), std::strerror(errno)));
    }
    return {};
}

Result<void> surfaceStatus(cairo_surface_t* surface, const std::filesystem::path& path) {
    const cairo_status_t status = cairo_surface_status(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        return fail(
            fmt::format("cannot write {}: {}", path.string(), cairo_status_to_string(status)));
    }
    return {};
}

// Vector formats are drawn in points, one user unit to the point.
Result<void> writeVector(const LaidOutCard& card, CairoSurface surface,
                         const std::filesystem::path& path, const RenderOptions& options) {
    if (Result<void> created = surfaceStatus(surface.get(), path); !created) {
        return created;
    }
    cairo_t* cairo = cairo_create(surface.get());
    paintCard(cairo, card, PaintOptions{options.scheme});
    cairo_destroy(cairo);
    cairo_surface_finish(surface.get());
    return surfaceStatus(surface.get(), path);
}

struct PixelSize {
    int width = 0;
    int height = 0;
};

// Rounded up to whole pixels. A length beyond any image Cairo can hold
// stays too large for it (and for int) rather than wrapping around.
PixelSize imageSize(const LaidOutCard& card, double scale) {
    const auto pixels = [scale](double length) {
        return static_cast<int>(std::clamp(std::ceil(length * scale), 0.0, 1e9));
    };
    return {pixels(card.size.width), pixels(card.size.height)};
}

// Paints the card onto `image`, whose first row is row `top` of the whole
// image.
void paintRows(const LaidOutCard& card, const RenderOptions& options, cairo_surface_t* image,
               int top) {
    cairo_t* cairo = cairo_create(image);
    cairo_translate(cairo, 0, -top);
    cairo_scale(cairo, options.scale, options.scale);
    paintCard(cairo, card, PaintOptions{options.scheme});
    cairo_destroy(cairo);
    cairo_surface_flush(image);
}

// How tall a band of cardPng is: about 256 KiB of pixels, and never so few
// rows that painting the card again for each band would cost more than the
// pages it saves.
int bandRows(int width) {
    constexpr int bandBytes = 256 * 1024;
    constexpr int fewestRows = 64;
    return std::max(fewestRows, bandBytes / (width * 4));
}

} // namespace

CairoSurface paintImage(const LaidOutCard& card, const RenderOptions& options) {
    const PixelSize size = imageSize(card, options.scale);
    CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width, size.height));
    paintRows(card, options, surface.get(), 0);
    return surface;
}

Result<std::vector<unsigned char>> cardPng(const LaidOutCard& card, const RenderOptions& options) {
    const PixelSize size = imageSize(card, options.scale);
    PngWriter writer(size.width, size.height);
    if (size.width <= 0 || size.height <= 0) {
        return writer.finish(); // the writer names the impossible size
    }
    // Each band is painted with a few rows more on either side and only its
    // inner rows are kept: Cairo's anti-aliasing differs by a shade in the
    // last row of an image, and that row must not be one of the card's.
    constexpr int overlap = 2;
    const int rows = std::min(size.height, bandRows(size.width));
    CairoSurface band(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width, rows + 2 * overlap));
    if (cairo_surface_status(band.get()) != CAIRO_STATUS_SUCCESS) {
        return fail(fmt::format("cannot paint the card: {}",
                                cairo_status_to_string(cairo_surface_status(band.get()))));
    }
    const std::size_t bandBytes =
        static_cast<std::size_t>(cairo_image_surface_get_stride(band.get())) *
        static_cast<std::size_t>(rows + 2 * overlap);
    for (int top = 0; top < size.height; top += rows) {
        // The card's rounded corners leave pixels untouched: clear them.
        cairo_surface_flush(band.get());
        std::memset(cairo_image_surface_get_data(band.get()), 0, bandBytes);
        cairo_surface_mark_dirty(band.get());
        paintRows(card, options, band.get(), top - overlap);
        if (Result<void> written =
                writer.writeRows(band.get(), overlap, std::min(rows, size.height - top));
            !written) {
            return std::unexpected(written.error());
        }
    }
    return writer.finish();
}

Result<void> writeCard(const LaidOutCard& card, const std::filesystem::path& path,
                       const RenderOptions& options) {
    const std::string extension = path.extension().string();
    if (extension == ".png") {
        const Result<std::vector<unsigned char>> png = cardPng(card, options);
        if (!png) {
            return fail(fmt::format("cannot write {}: {}", path.string(), png.error().message));
        }
        return writeBytes(path, png->data(), png->size());
    }
    if (extension == ".svg") {
        CairoSurface surface(
            cairo_svg_surface_create(path.c_str(), card.size.width, card.size.height));
        cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PT);
        return writeVector(card, std::move(surface), path, options);
    }
    if (extension == ".pdf") {
        return writeVector(
            card,
            CairoSurface(cairo_pdf_surface_create(path.c_str(), card.size.width, card.size.height)),
            path, options);
    }
    if (extension == ".json") {
        Result<std::string> json = dumpLaidOutTree(card.root);
        if (!json) {
            return fail(fmt::format("cannot write {}: {}", path.string(), json.error().message));
        }
        return writeBytes(path, json->data(), json->size());
    }
    return fail(
        fmt::format("cannot write {}: unknown extension \"{}\" (use .png, .svg, .pdf or .json)",
                    path.string(), extension));
}

} // namespace tandry::render
