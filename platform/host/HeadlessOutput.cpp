#include "platform/host/HeadlessOutput.h"

#include "platform/render/CardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fmt/format.h>

namespace tandry {
namespace {

std::filesystem::path outputFile(const std::filesystem::path& directory, std::string_view kind,
                                 WidgetFamily family, std::string_view extension) {
    return directory / fmt::format("{}-{}{}", kind, shortFamilyName(family), extension);
}

// Writes through a hidden file with the same extension (which picks the
// format), then renames it over `target`.
Result<void> replaceCard(const render::LaidOutCard& card, const std::filesystem::path& target,
                         const render::RenderOptions& options) {
    const auto hidden = target.parent_path() / fmt::format(".{}.partial{}", target.stem().string(),
                                                           target.extension().string());
    if (auto written = render::writeCard(card, hidden, options); !written) {
        std::remove(hidden.c_str());
        return written;
    }
    if (std::rename(hidden.c_str(), target.c_str()) != 0) {
        const int error = errno;
        std::remove(hidden.c_str());
        return fail(fmt::format("cannot replace {}: {}", target.string(), std::strerror(error)));
    }
    return {};
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
    const render::RenderOptions options{scale_, scheme};
    if (auto written = replaceCard(card, pictureFile(kind, family), options); !written) {
        return written;
    }
    return replaceCard(card, treeFile(kind, family), options);
}

} // namespace tandry
