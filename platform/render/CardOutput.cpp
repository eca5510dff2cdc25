#include "platform/render/CardOutput.h"

#include "platform/render/Painter.h"
#include "platform/render/PngEncoder.h"
#include "platform/render/TreeDump.h"
#include "widget/system/SystemError.h"

#include <algorithm>
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cerrno>
#include <cmath>
#include <fmt/format.h>
#include <fstream>

namespace tandry::render {

namespace {

Result<void> writeBytes(const std::filesystem::path& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        return std::unexpected(systemError("cannot write", path, errno));
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

// Collects what a vector surface writes.
cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

enum class VectorFormat { svg, pdf };

// Vector formats are drawn in points, one user unit to the point. The
// document is made in memory and then written like every other format: a
// surface writing its own file does not tell when the disk refused the
// last of it.
Result<void> writeVector(const LaidOutCard& card, VectorFormat format,
                         const std::filesystem::path& path, const RenderOptions& options) {
    std::string document;
    {
        const CairoSurfacePtr surface(
            format == VectorFormat::svg
                ? cairo_svg_surface_create_for_stream(&appendBytes, &document, card.size.width,
                                                      card.size.height)
                : cairo_pdf_surface_create_for_stream(&appendBytes, &document, card.size.width,
                                                      card.size.height));
        if (format == VectorFormat::svg) {
            cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PT);
        }
        if (Result<void> created = surfaceStatus(surface.get(), path); !created) {
            return created;
        }
        paintCard(CairoPtr(cairo_create(surface.get())).get(), card, PaintOptions{options.scheme});
        cairo_surface_finish(surface.get());
        if (Result<void> finished = surfaceStatus(surface.get(), path); !finished) {
            return finished;
        }
    }
    return writeBytes(path, document.data(), document.size());
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
        return writeVector(card, VectorFormat::svg, path, options);
    }
    if (extension == ".pdf") {
        return writeVector(card, VectorFormat::pdf, path, options);
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
