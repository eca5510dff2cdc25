#include "platform/host/PlacementPlan.h"

#include "platform/render/CardSize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>

namespace tandry {
namespace {

// The gap, in screen pixels, around widgets placed for the first time.
constexpr int firstPlaceMargin = 24;

// How much two spans on one axis share.
std::int64_t overlap(std::int64_t start, std::int64_t length, std::int64_t otherStart,
                     std::int64_t otherLength) {
    return std::max<std::int64_t>(0, std::min(start + length, otherStart + otherLength) -
                                         std::max(start, otherStart));
}

// How far apart two spans on one axis are; 0 where they touch or overlap.
std::int64_t gap(std::int64_t start, std::int64_t length, std::int64_t otherStart,
                 std::int64_t otherLength) {
    return std::max<std::int64_t>(
        {0, otherStart - (start + length), start - (otherStart + otherLength)});
}

// The start that moves a span of `length` least to lie in the other span,
// or to start at the other's start where it is longer.
int clampedStart(std::int64_t start, std::int64_t length, std::int64_t areaStart,
                 std::int64_t areaLength) {
    return static_cast<int>(std::max(areaStart, std::min(start, areaStart + areaLength - length)));
}

bool holds(const std::vector<WidgetFamily>& families, WidgetFamily family) {
    return std::find(families.begin(), families.end(), family) != families.end();
}

// The placements of one kind, positions as saved.
std::vector<Placement> placementsOf(const OfferedKind& offered, const PlacementRequest& request) {
    std::vector<Placement> unused;
    const auto restored =
        request.saved.begin() +
        static_cast<std::ptrdiff_t>(std::min(request.saved.size(), maxRestoredWidgets));
    std::copy_if(request.saved.begin(), restored, std::back_inserter(unused),
                 [&](const Placement& placement) {
                     return placement.kind == offered.kind &&
                            holds(offered.families, placement.family);
                 });
    if (request.families.empty()) {
        if (!unused.empty() || offered.families.empty()) {
            return unused;
        }
        const WidgetFamily first = holds(offered.families, WidgetFamily::systemMedium)
                                       ? WidgetFamily::systemMedium
                                       : offered.families.front();
        return {{.kind = offered.kind, .family = first}};
    }
    // Each family asked for takes the place of a saved widget of that
    // family, each saved place used once.
    std::vector<Placement> placements;
    for (WidgetFamily family : request.families) {
        if (!holds(offered.families, family)) {
            continue;
        }
        auto previous = std::find_if(unused.begin(), unused.end(), [&](const Placement& saved) {
            return saved.family == family;
        });
        if (previous == unused.end()) {
            placements.push_back({.kind = offered.kind, .family = family});
        } else {
            placements.push_back(*previous);
            unused.erase(previous);
        }
    }
    return placements;
}

} // namespace

std::vector<PlacementPlan> planPlacements(const std::vector<OfferedKind>& kinds,
                                          const PlacementRequest& request) {
    std::vector<PlacementPlan> plans;
    // The column is on the first monitor, in its pixels.
    const int scale = request.workAreas.empty() ? 1 : std::max(1, request.workAreas.front().scale);
    const int margin = firstPlaceMargin * scale;
    int nextFreeY = margin;
    for (const OfferedKind& offered : kinds) {
        PlacementPlan plan;
        std::vector<Placement> placements = placementsOf(offered, request);
        for (const Placement& placement : placements) {
            if (!holds(plan.pictures, placement.family)) {
                plan.pictures.push_back(placement.family);
            }
        }
        if (request.headless) {
            if (request.families.empty()) {
                plan.pictures = offered.families;
            }
        } else {
            for (Placement& placement : placements) {
                if (!placement.x || !placement.y) {
                    const double height = render::cardSize(placement.family).height * scale;
                    placement.x = margin;
                    placement.y = nextFreeY;
                    nextFreeY += static_cast<int>(std::ceil(height)) + margin;
                }
            }
            plan.windows = std::move(placements);
        }
        plans.push_back(std::move(plan));
    }
    return plans;
}

Placement keptOnScreen(Placement placement, const std::vector<WorkArea>& workAreas) {
    if (!placement.x || !placement.y || workAreas.empty()) {
        return placement;
    }
    const render::Size card = render::cardSize(placement.family);
    const auto extent = [&](const WorkArea& area) {
        return std::pair<std::int64_t, std::int64_t>{
            static_cast<std::int64_t>(std::ceil(card.width * area.scale)),
            static_cast<std::int64_t>(std::ceil(card.height * area.scale))};
    };
    // 1. The area the card overlaps most; among areas it misses, the nearest.
    const auto closeness = [&](const WorkArea& area) {
        const auto [width, height] = extent(area);
        const std::int64_t shared = overlap(*placement.x, width, area.x, area.width) *
                                    overlap(*placement.y, height, area.y, area.height);
        const std::int64_t apart = gap(*placement.x, width, area.x, area.width) +
                                   gap(*placement.y, height, area.y, area.height);
        return std::pair{shared, -apart};
    };
    const WorkArea& area = *std::max_element(
        workAreas.begin(), workAreas.end(),
        [&](const WorkArea& a, const WorkArea& b) { return closeness(a) < closeness(b); });
    // 2. The least move that puts the whole card inside it.
    const auto [width, height] = extent(area);
    placement.x = clampedStart(*placement.x, width, area.x, area.width);
    placement.y = clampedStart(*placement.y, height, area.y, area.height);
    return placement;
}

std::ostream& operator<<(std::ostream& out, const PlacementPlan& plan) {
    out << "PlacementPlan{windows:";
    for (const Placement& window : plan.windows) {
        out << ' ' << window;
    }
    out << ", pictures:";
    for (WidgetFamily family : plan.pictures) {
        out << ' ' << family;
    }
    return out << '}';
}

} // namespace tandry
