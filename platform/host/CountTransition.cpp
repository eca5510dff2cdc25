#include "platform/host/CountTransition.h"

#include <algorithm>
#include <cairo.h>
#include <functional>
#include <ostream>

namespace tandry {
namespace {

using render::LaidOutCard;
using render::LaidOutElement;
using render::LaidOutText;

void collectCounts(const LaidOutElement& element, std::vector<const LaidOutElement*>& counts) {
    if (element.contentTransition && std::holds_alternative<LaidOutText>(element.kind)) {
        counts.push_back(&element);
    }
    for (const LaidOutElement& child : element.children) {
        collectCounts(child, counts);
    }
}

const std::string& textOf(const LaidOutElement& element) {
    return std::get<LaidOutText>(element.kind).text.string;
}

// Blanks, in tree order, the counted texts whose index is in `blank`.
void blankCounts(LaidOutElement& element, const std::vector<bool>& blank, std::size_t& index) {
    if (element.contentTransition && std::holds_alternative<LaidOutText>(element.kind)) {
        if (index < blank.size() && blank[index]) {
            std::get<LaidOutText>(element.kind).text.string.clear();
        }
        ++index;
    }
    for (LaidOutElement& child : element.children) {
        blankCounts(child, blank, index);
    }
}

// Paints one text node alone, moved by `offset` points and faded to `opacity`.
void paintMovedText(cairo_t* cairo, const LaidOutCard& card, const LaidOutElement& text,
                    double offset, double opacity, const render::PaintOptions& options) {
    cairo_save(cairo);
    cairo_translate(cairo, 0, offset);
    cairo_push_group(cairo);
    render::paintCard(cairo, LaidOutCard{card.size, text}, options);
    cairo_pop_group_to_source(cairo);
    cairo_paint_with_alpha(cairo, opacity);
    cairo_restore(cairo);
}

} // namespace

std::vector<CountChange> countChanges(const LaidOutCard& before, const LaidOutCard& after) {
    std::vector<const LaidOutElement*> old;
    std::vector<const LaidOutElement*> now;
    collectCounts(before.root, old);
    collectCounts(after.root, now);
    std::vector<CountChange> changes;
    if (old.size() != now.size()) {
        return changes;
    }
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (textOf(*old[i]) != textOf(*now[i])) {
            changes.push_back({*old[i], *now[i], now[i]->contentTransition->direction});
        }
    }
    return changes;
}

void paintCountTransition(cairo_t* cairo, const LaidOutCard& after,
                          const std::vector<CountChange>& changes, double progress,
                          const render::PaintOptions& options) {
    progress = std::clamp(progress, 0.0, 1.0);
    if (changes.empty() || progress >= 1) {
        render::paintCard(cairo, after, options);
        return;
    }

    // 1. The new card without the numbers that are still rolling.
    std::vector<const LaidOutElement*> counts;
    collectCounts(after.root, counts);
    std::vector<bool> blank(counts.size(), false);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        blank[i] = std::any_of(changes.begin(), changes.end(), [&](const CountChange& change) {
            return change.after == *counts[i];
        });
    }
    LaidOutCard background = after;
    std::size_t index = 0;
    blankCounts(background.root, blank, index);
    render::paintCard(cairo, background, options);

    // 2. Each number rolls inside the slot of its new text: counting up, the
    //    old digits leave upward and the new ones rise from below; counting
    //    down the other way. An ease-out curve lands them softly.
    const double eased = 1 - (1 - progress) * (1 - progress);
    for (const CountChange& change : changes) {
        const auto& slot = change.after.frame;
        const double travel = slot.size.height;
        const double sign = change.direction == CountDirection::up ? -1 : 1;
        cairo_save(cairo);
        const double left = std::min(slot.minX(), change.before.frame.minX());
        const double right = std::max(slot.maxX(), change.before.frame.maxX());
        cairo_rectangle(cairo, left, slot.minY(), right - left, slot.size.height);
        cairo_clip(cairo);
        paintMovedText(cairo, after, change.before, sign * travel * eased, 1 - eased, options);
        paintMovedText(cairo, after, change.after, -sign * travel * (1 - eased), eased, options);
        cairo_restore(cairo);
    }
}

std::ostream& operator<<(std::ostream& out, const CountChange& change) {
    return out << "CountChange{\"" << textOf(change.before) << "\" -> \"" << textOf(change.after)
               << "\"}";
}

} // namespace tandry
