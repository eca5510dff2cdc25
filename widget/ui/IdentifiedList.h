#pragma once

#include <iosfwd>
#include <vector>

namespace tandry {

struct IdentifiedElement;

// A sequence of elements, each with its identity. Inside a stack its elements
// become the stack's children in sequence order, spaced like any others.
struct IdentifiedList {
    std::vector<IdentifiedElement> items;

    bool operator==(const IdentifiedList&) const = default;
};

std::ostream& operator<<(std::ostream& out, const IdentifiedList& list);

} // namespace tandry
