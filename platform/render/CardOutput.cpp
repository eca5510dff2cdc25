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
Result<void> writeVector(const LaidOutCard& card, CairoSurfacePtr surface,
                         const std::filesystem::path& path, const RenderOptions& options) {
    if (Result<void> created = surfaceStatus(surface.get(), path); !created) {
        return created;
    }
    paintCard(CairoPtr(cairo_create(surface.get())).get(), card, PaintOptions{options.scheme});
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

} // namespace

CairoSurfacePtr paintImage(const LaidOutCard& card, const RenderOptions& options) {
    const PixelSize size = imageSize(card, options.scale);
    CairoSurfacePtr surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width, size.height));
    {
        const CairoPtr cairo(cairo_create(surface.get()));
        cairo_scale(cairo.get(), options.scale, options.scale);
        paintCard(cairo.get(), card, PaintOptions{options.scheme});
    }
    cairo_surface_flush(surface.get());
    return surface;
}

Result<std::vector<unsigned char>> cardPng(const LaidOutCard& card, const RenderOptions& options) {
    const CairoSurfacePtr image = paintImage(card, options);
    return encodePng(image.get());
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
        CairoSurfacePtr surface(
            cairo_svg_surface_create(path.c_str(), card.size.width, card.size.height));
        cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PT);
        return writeVector(card, std::move(surface), path, options);
    }
    if (extension == ".pdf") {
        return writeVector(card,
                           CairoSurfacePtr(cairo_pdf_surface_create(path.c_str(), card.size.width,
                                                                    card.size.height)),
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
