#include "platform/render/Geometry.h"

#include <ostream>

namespace tandry::render {

namespace {

void printAxis(std::ostream& out, const std::optional<double>& length) {
    if (length) {
        out << *length;
    } else {
        out << "nil";
    }
}

} // namespace

std::ostream& operator<<(std::ostream& out, const Size& size) {
    return out << size.width << 'x' << size.height;
}

std::ostream& operator<<(std::ostream& out, const Point& point) {
    return out << '(' << point.x << ", " << point.y << ')';
}

std::ostream& operator<<(std::ostream& out, const Rect& rect) {
    return out << '[' << rect.origin.x << ", " << rect.origin.y << ", " << rect.size.width << ", "
               << rect.size.height << ']';
}

std::ostream& operator<<(std::ostream& out, const ProposedSize& proposal) {
    out << "propose(";
    printAxis(out, proposal.width);
    out << ", ";
    printAxis(out, proposal.height);
    return out << ')';
}

} // namespace tandry::render
