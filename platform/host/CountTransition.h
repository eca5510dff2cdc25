#pragma once

#include "platform/render/LaidOutElement.h"
#include "platform/render/Painter.h"

#include <vector>

typedef struct _cairo cairo_t;

namespace tandry {

// A number on the card that changed between two renders and animates: the
// text node before and after, and which way its digits roll.
struct CountChange {
    render::LaidOutElement before;
    render::LaidOutElement after;
    CountDirection direction = CountDirection::up;

    bool operator==(const CountChange&) const = default;
};

// The texts that carry a numeric content transition in both cards, paired in
// tree order, whose strings differ. Nothing when the cards hold different
// numbers of such texts (another layout: no animation, just the new card).
std::vector<CountChange> countChanges(const render::LaidOutCard& before,
                                      const render::LaidOutCard& after);

// Paints one frame of the transition to `after`: the new card with each
// changed number rolling from its old text to its new one, `progress` running
// from 0 (the old text in place) to 1 (the new card exactly).
void paintCountTransition(cairo_t* cairo, const render::LaidOutCard& after,
                          const std::vector<CountChange>& changes, double progress,
                          const render::PaintOptions& options);

std::ostream& operator<<(std::ostream& out, const CountChange& change);

} // namespace tandry
