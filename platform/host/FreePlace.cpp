#include "platform/host/FreePlace.h"

#include "platform/host/PlacementPlan.h"
#include "platform/render/CardSize.h"

#include <algorithm>
#include <cmath>

namespace tandry {
namespace {

// The gap, in points, between a new card and the cards and edges around it.
constexpr int margin = 24;
// How far apart, in points, the places tried are.
constexpr int step = 8;

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // Whether the two overlap once this box grows by `gap` on every side.
    bool meets(const Box& other, int gap) const {
        return x - gap < other.x + other.width && other.x < x + width + gap &&
               y - gap < other.y + other.height && other.y < y + height + gap;
    }
};

Box boxOf(const Placement& placement, int scale) {
    const render::Size size = render::cardSize(placement.family);
    return {.x = placement.x.value_or(0),
            .y = placement.y.value_or(0),
            .width = static_cast<int>(std::ceil(size.width * scale)),
            .height = static_cast<int>(std::ceil(size.height * scale))};
}

} // namespace

std::optional<WorkArea> workAreaAt(const std::vector<WorkArea>& areas,
                                   std::optional<ScreenPosition> point) {
    if (areas.empty()) {
        return std::nullopt;
    }
    if (point) {
        for (const WorkArea& area : areas) {
            if (point->x >= area.x && point->x < area.x + area.width && point->y >= area.y &&
                point->y < area.y + area.height) {
                return area;
            }
        }
    }
    return areas.front();
}

Placement placedFreely(Placement card, const std::vector<Placement>& others, const WorkArea& area,
                       bool rightToLeft) {
    const int scale = std::max(1, area.scale);
    const int gap = margin * scale;
    Box box = boxOf(card, scale);
    std::vector<Box> taken;
    for (const Placement& other : others) {
        if (other.x && other.y) {
            taken.push_back(boxOf(other, scale));
        }
    }
    // 1. The span of corners that keep the card a margin inside the area.
    const int left = area.x + gap;
    const int right = area.x + area.width - gap - box.width;
    const int top = area.y + gap;
    const int bottom = area.y + area.height - gap - box.height;
    // 2. Row by row from the first corner, the first place that meets no card.
    for (int y = top; y <= bottom; y += step * scale) {
        for (int offset = 0; left + offset <= right; offset += step * scale) {
            box.x = rightToLeft ? right - offset : left + offset;
            box.y = y;
            if (std::none_of(taken.begin(), taken.end(),
                             [&](const Box& other) { return box.meets(other, gap); })) {
                card.x = box.x;
                card.y = box.y;
                return card;
            }
        }
    }
    // 3. A full area: the first corner, where the user sees the new card.
    card.x = rightToLeft ? right : left;
    card.y = top;
    return keptOnScreen(std::move(card), {area});
}

} // namespace tandry
