#pragma once

#include "platform/GLibOwnership.h"
#include "platform/render/LaidOutElement.h"
#include "widget/system/Error.h"
#include "widget/ui/ColorScheme.h"

#include <filesystem>
#include <vector>

namespace tandry::render {

struct RenderOptions {
    // Device pixels per point of the PNG; vector formats are in points.
    double scale = 2;
    ColorScheme scheme = ColorScheme::light;

    bool operator==(const RenderOptions&) const = default;
};

// The card painted on a transparent ARGB32 image of its size times the
// scale, rounded up to whole pixels.
CairoSurfacePtr paintImage(const LaidOutCard& card, const RenderOptions& options);

// The card as PNG bytes with straight alpha: the pixels of paintImage.
Result<std::vector<unsigned char>> cardPng(const LaidOutCard& card, const RenderOptions& options);

// Writes the card to `path` in the format its extension names: ".png",
// ".svg", ".pdf", or ".json" for the laid-out tree. Fails with the path in
// the message when the extension is unknown or the file cannot be written.
Result<void> writeCard(const LaidOutCard& card, const std::filesystem::path& path,
                       const RenderOptions& options);

} // namespace tandry::render
