#pragma once

#include "platform/host/DesktopBackend.h"
#include "platform/host/Placement.h"
#include "platform/host/WorkArea.h"

#include <optional>
#include <vector>

namespace tandry {

// The work area of the monitor that holds `point`; without a point, or where
// no area holds it, the first area. Absent without work areas.
std::optional<WorkArea> workAreaAt(const std::vector<WorkArea>& areas,
                                   std::optional<ScreenPosition> point);

// `card` with a position in `area` where it covers none of `others` (cards
// without a position cover nothing), a margin away from them and from the
// area's edges: the first such place reading the area row by row from its
// top-left corner (top-right in a right-to-left language). Where no place is
// free, the area's first corner, over other cards.
Placement placedFreely(Placement card, const std::vector<Placement>& others, const WorkArea& area,
                       bool rightToLeft = false);

} // namespace tandry
