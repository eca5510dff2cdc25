#pragma once

#include "platform/render/detail/LayoutNode.h"

#include <vector>

namespace tandry::render::detail {

// The stack attributes that the steps read, for either direction.
struct StackShape {
    // The stack direction: x for a horizontal stack, y for a vertical one.
    Axis major = Axis::horizontal;
    std::optional<double> spacing;
    // Cross-axis alignment as a fraction of the free room: 0 leading or top,
    // 0.5 centre, 1 trailing or bottom.
    double minorAlignment = 0.5;
};

StackShape stackShape(const LayoutNode& stack);

// Step 2.1: the gaps between neighbours.
struct StackGaps {
    // before[i] is the gap between child i - 1 and child i; before[0] is 0.
    std::vector<double> before;
    double total = 0;
};

StackGaps stackGaps(const LayoutNode& stack, const StackShape& shape, LayoutContext& context);

// Step 2.2: how much a child can give and take along the major axis.
struct ChildFlexibility {
    // Its major length when offered nothing, and when offered everything.
    double minimum = 0;
    double maximum = 0;
    // maximum - minimum; infinite for children that grow without bound.
    double flexibility = 0;
    // Spacers come after everything else.
    double priority = 0;
};

// Step 2.3: what each child was offered and took, and the stack's own size.
struct StackDistribution {
    std::vector<ProposedSize> proposals;
    std::vector<Size> sizes;
    StackGaps gaps;
    Size size;
};

// Shares a proposal out among the stack's children, least flexible first.
StackDistribution distributeStack(LayoutNode& stack, ProposedSize proposal, LayoutContext& context);

// Major and minor components of sizes and proposals.
inline double majorLength(Size size, Axis major) {
    return major == Axis::horizontal ? size.width : size.height;
}
inline double minorLength(Size size, Axis major) {
    return major == Axis::horizontal ? size.height : size.width;
}
inline std::optional<double> majorProposal(ProposedSize proposal, Axis major) {
    return major == Axis::horizontal ? proposal.width : proposal.height;
}
inline std::optional<double> minorProposal(ProposedSize proposal, Axis major) {
    return major == Axis::horizontal ? proposal.height : proposal.width;
}
inline ProposedSize makeProposal(std::optional<double> majorValue, std::optional<double> minorValue,
                                 Axis major) {
    return major == Axis::horizontal ? ProposedSize{majorValue, minorValue}
                                     : ProposedSize{minorValue, majorValue};
}

} // namespace tandry::render::detail
