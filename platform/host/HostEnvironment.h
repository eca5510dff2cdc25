#pragma once

#include "platform/host/PlacementStore.h"
#include "widget/store/AppGroup.h"
#include "widget/system/Environment.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tandry {

// What the host takes from the environment it was started in, resolved once
// in main and handed down: the shared container, where the places are kept,
// the locale of due dates, and the variables the toolkit's renderer choice
// starts from.
struct HostEnvironment {
    Environment variables;
    SharedContainer container;
    std::optional<PlacementStore> placements;
    std::string dateLocaleId;
    // Where the host's events go, for the programs that watch it.
    std::optional<std::filesystem::path> eventsFile;

    static HostEnvironment of(const Environment& environment);
};

} // namespace tandry
