#pragma once

#include "platform/render/LaidOutElement.h"
#include "widget/system/Error.h"
#include "widget/ui/ColorScheme.h"
#include "widget/ui/WidgetFamily.h"

#include <filesystem>
#include <string_view>

namespace tandry {

// Where a host without windows puts its cards: one PNG per kind and family in
// a directory, "<kind>-<family>.png" ("TandryReadyWidget-medium.png"), and
// beside it the laid-out tree as JSON. Status bars, conky and e-ink panels
// read the picture; tests read the tree.
class HeadlessOutput {
public:
    HeadlessOutput(std::filesystem::path directory, double scale)
        : directory_(std::move(directory)), scale_(scale) {}

    // Replaces the kind's and family's files atomically (written under a
    // hidden name, then renamed), so a reader never sees half a picture.
    // Creates the directory when it is missing.
    Result<void> write(std::string_view kind, WidgetFamily family, ColorScheme scheme,
                       const render::LaidOutCard& card) const;

    std::filesystem::path pictureFile(std::string_view kind, WidgetFamily family) const;
    std::filesystem::path treeFile(std::string_view kind, WidgetFamily family) const;

    double scale() const { return scale_; }

private:
    std::filesystem::path directory_;
    double scale_;
};

} // namespace tandry
