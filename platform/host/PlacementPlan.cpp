#include "platform/host/PlacementPlan.h"

#include "platform/render/CardSize.h"

#include <algorithm>
#include <ostream>

namespace tandry {
namespace {

// The gap, in screen pixels, around widgets placed for the first time.
constexpr int firstPlaceMargin = 24;

bool holds(const std::vector<WidgetFamily>& families, WidgetFamily family) {
    return std::find(families.begin(), families.end(), family) != families.end();
}

// The placements of one kind, positions as saved.
std::vector<Placement> placementsOf(const OfferedKind& offered, const PlacementRequest& request) {
    std::vector<Placement> unused;
    std::copy_if(request.saved.begin(), request.saved.end(), std::back_inserter(unused),
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
    int nextFreeY = firstPlaceMargin;
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
                    placement.x = firstPlaceMargin;
                    placement.y = nextFreeY;
                    nextFreeY += static_cast<int>(render::cardSize(placement.family).height) +
                                 firstPlaceMargin;
                }
            }
            plan.windows = std::move(placements);
        }
        plans.push_back(std::move(plan));
    }
    return plans;
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
