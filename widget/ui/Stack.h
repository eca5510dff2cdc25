#pragma once

#include "widget/ui/Alignment.h"

#include <iosfwd>
#include <optional>
#include <vector>

namespace tandry {

struct Element;

// Children top to bottom in the order given. A spacing of nullopt asks for the
// platform's default gap between each pair of neighbours.
struct VStack {
    HorizontalAlignment alignment = HorizontalAlignment::center;
    std::optional<double> spacing;
    std::vector<Element> children;

    bool operator==(const VStack&) const = default;
};

// Children leading to trailing in the order given.
struct HStack {
    VerticalAlignment alignment = VerticalAlignment::center;
    std::optional<double> spacing;
    std::vector<Element> children;

    bool operator==(const HStack&) const = default;
};

std::ostream& operator<<(std::ostream& out, const VStack& stack);
std::ostream& operator<<(std::ostream& out, const HStack& stack);

} // namespace tandry
