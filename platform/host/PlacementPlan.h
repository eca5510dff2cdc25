#pragma once

#include "platform/host/Placement.h"
#include "platform/host/WorkArea.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tandry {

// A kind of widget the host shows and the families its declaration offers.
struct OfferedKind {
    std::string kind;
    std::vector<WidgetFamily> families;
};

// What the host is asked to show.
struct PlacementRequest {
    // The families named on the command line, in order; empty: as last time.
    std::vector<WidgetFamily> families;
    // No windows; every load writes pictures.
    bool headless = false;
    // The placements the last run saved.
    std::vector<Placement> saved;
    // The work areas of the monitors there are now; empty where the window
    // system does not say.
    std::vector<WorkArea> workAreas;
};

// How many saved widgets come back at most; the file is the user's, and a
// widget is a window with its own memory.
inline constexpr std::size_t maxRestoredWidgets = 12;

// What the host opens for one kind of widget.
struct PlacementPlan {
    // One window each, every one with a position on the screen.
    std::vector<Placement> windows;
    // The families whose cards an output directory receives, each once.
    std::vector<WidgetFamily> pictures;

    bool operator==(const PlacementPlan&) const = default;
};

// Decides, for each kind in order, which widgets to open, in which family and
// where: the families asked for (in the places they had last time), else the
// saved placements (the first maxRestoredWidgets of them), else one medium
// widget (the first family offered when medium is not). Families a kind does
// not offer are left out. Widgets without a saved position go in a column at
// the top left of the screen, one under the other across all kinds, in the
// first monitor's pixels. Saved positions stay as saved, also off every
// monitor there is now: a window is shown where it lies on a screen
// (keptOnScreen), and goes back to its place when its monitor does.
// Headless, no window opens, and the pictures are the families asked for, or
// every family offered.
std::vector<PlacementPlan> planPlacements(const std::vector<OfferedKind>& kinds,
                                          const PlacementRequest& request);

// The placement moved the least so that the whole card lies inside one work
// area: the one it overlaps most, else the nearest. A card larger than the
// area keeps its top-left corner in it. Unchanged without a position or
// without work areas.
Placement keptOnScreen(Placement placement, const std::vector<WorkArea>& workAreas);

std::ostream& operator<<(std::ostream& out, const PlacementPlan& plan);

} // namespace tandry
