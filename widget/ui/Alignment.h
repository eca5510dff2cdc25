#pragma once

#include <iosfwd>

namespace tandry {

// Leading and trailing follow the layout direction: leading is the left edge
// in left-to-right languages and the right edge in right-to-left ones.
enum class HorizontalAlignment { leading, center, trailing };
enum class VerticalAlignment { top, center, bottom };

// Where content sits inside a larger box, on both axes.
struct Alignment {
    HorizontalAlignment horizontal = HorizontalAlignment::center;
    VerticalAlignment vertical = VerticalAlignment::center;

    bool operator==(const Alignment&) const = default;

    static constexpr Alignment center() { return {}; }
    static constexpr Alignment topLeading() {
        return {HorizontalAlignment::leading, VerticalAlignment::top};
    }
};

const char* alignmentName(HorizontalAlignment alignment);
const char* alignmentName(VerticalAlignment alignment);
// "center", "topLeading", "bottomTrailing", ...
const char* alignmentName(Alignment alignment);

std::ostream& operator<<(std::ostream& out, HorizontalAlignment alignment);
std::ostream& operator<<(std::ostream& out, VerticalAlignment alignment);
std::ostream& operator<<(std::ostream& out, Alignment alignment);

} // namespace tandry
