#pragma once

#include <iosfwd>
#include <limits>
#include <optional>

namespace tandry::render {

// Lengths are in points throughout layout.
struct Size {
    double width = 0;
    double height = 0;

    bool operator==(const Size&) const = default;
};

struct Point {
    double x = 0;
    double y = 0;

    bool operator==(const Point&) const = default;
};

struct Rect {
    Point origin;
    Size size;

    bool operator==(const Rect&) const = default;

    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
};

// What a parent offers a child. Each axis is a length, infinity (to ask for
// the child's maximum) or nullopt (to ask for its ideal size).
struct ProposedSize {
    std::optional<double> width;
    std::optional<double> height;

    bool operator==(const ProposedSize&) const = default;

    static ProposedSize unspecified() { return {}; }
    static ProposedSize zero() { return {0.0, 0.0}; }
    static ProposedSize infinity() {
        return {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    }
    static ProposedSize of(Size size) { return {size.width, size.height}; }
};

inline constexpr double infinity = std::numeric_limits<double>::infinity();

std::ostream& operator<<(std::ostream& out, const Size& size);
std::ostream& operator<<(std::ostream& out, const Point& point);
std::ostream& operator<<(std::ostream& out, const Rect& rect);
std::ostream& operator<<(std::ostream& out, const ProposedSize& proposal);

} // namespace tandry::render
