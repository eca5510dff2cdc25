#include "platform/host/HeadlessOutput.h"

#include "platform/render/CardOutput.h"
#include "platform/render/TreeDump.h"
#include "widget/system/DurableFile.h"

#include <fmt/format.h>

namespace tandry {
namespace {

std::filesystem::path outputFile(const std::filesystem::path& directory, std::string_view kind,
                                 WidgetFamily family, std::string_view extension) {
    return directory / fmt::format("{}-{}{}", kind, shortFamilyName(family), extension);
}

} // namespace

std::filesystem::path HeadlessOutput::pictureFile(std::string_view kind,
                                                  WidgetFamily family) const {
    return outputFile(directory_, kind, family, ".png");
}

std::filesystem::path HeadlessOutput::treeFile(std::string_view kind, WidgetFamily family) const {
    return outputFile(directory_, kind, family, ".json");
}

Result<void> HeadlessOutput::write(std::string_view kind, WidgetFamily family, ColorScheme scheme,
                                   const render::LaidOutCard& card) const {
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    if (error) {
        return fail(
            fmt::format("cannot create directory {}: {}", directory_.string(), error.message()));
    }
    // Each file is replaced whole, so a reader never sees half a picture.
    const auto png = render::cardPng(card, {scale_, scheme});
    if (!png) {
        return std::unexpected(png.error());
    }
    const auto picture = pictureFile(kind, family);
    if (auto written = replaceFileDurably(
            picture, {reinterpret_cast<const char*>(png->data()), png->size()});
        !written) {
        return written;
    }
    const auto tree = render::dumpLaidOutTree(card.root);
    if (!tree) {
        return std::unexpected(tree.error());
    }
    return replaceFileDurably(treeFile(kind, family), *tree);
}

} // namespace tandry
