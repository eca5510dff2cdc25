#pragma once

#include "platform/host/Placement.h"
#include "widget/system/BaseDirectories.h"
#include "widget/system/Error.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace tandry {

// The widgets placed on the desktop, kept between runs of the host in one
// small JSON file:
//   {"placements":[{"kind":"TandryReadyWidget","family":"systemMedium","x":40,"y":60,
//                   "appearance":"dark"}]}
// An entry without "appearance" follows the desktop.
class PlacementStore {
public:
    explicit PlacementStore(std::filesystem::path file) : file_(std::move(file)) {}

    // tandry-widget/placements.json in the user's state directory
    // ($XDG_STATE_HOME, default ~/.local/state). Absent when no home is known.
    static std::optional<PlacementStore> standard(const BaseDirectories& directories);

    const std::filesystem::path& file() const { return file_; }

    // The saved placements; none when the file is missing or unreadable.
    // Entries with an unknown family or no kind are skipped; an unknown
    // appearance follows the desktop.
    std::vector<Placement> load() const;

    // Whether the file is there and lists no widget: the user removed the
    // last one, which is not the same as a first run.
    bool listsNoWidget() const;

    // Replaces the file atomically: written beside it under a temporary name,
    // flushed, then renamed over it, so a crash leaves the old or the new
    // list, never half of one. Creates the directory when needed.
    Result<void> save(const std::vector<Placement>& placements) const;

private:
    std::filesystem::path file_;
};

} // namespace tandry
