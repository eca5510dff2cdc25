// Step 2.3 of stack layout: sharing the major axis out. Children are offered
// equal shares of what is left in order of increasing flexibility, so the
// fixed-size ones take their size first, texts next, infinitely flexible views
// after them and spacers last, with what nobody else wanted.
#include "platform/render/detail/StackLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tandry::render::detail {

namespace {

constexpr double spacerPriority = -infinity;

ChildFlexibility measureFlexibility(LayoutNode& child, std::optional<double> minor, Axis major,
                                    LayoutContext& context) {
    ChildFlexibility measured;
    measured.minimum =
        majorLength(sizeThatFits(child, makeProposal(0.0, minor, major), context), major);
    measured.maximum =
        majorLength(sizeThatFits(child, makeProposal(infinity, minor, major), context), major);
    measured.flexibility = measured.maximum - measured.minimum;
    measured.priority = isSpacer(child) ? spacerPriority : 0;
    return measured;
}

// Higher priority first; then lower flexibility; between two children that
// both grow without bound, the one with the larger minimum first.
bool sizesFirst(const ChildFlexibility& a, const ChildFlexibility& b) {
    if (a.priority != b.priority) {
        return a.priority > b.priority;
    }
    if (std::isinf(a.flexibility) && std::isinf(b.flexibility)) {
        return a.minimum > b.minimum;
    }
    return a.flexibility < b.flexibility;
}

} // namespace

StackShape stackShape(const LayoutNode& stack) {
    auto fraction = [](auto alignment) {
        return static_cast<int>(alignment) * 0.5; // leading/top, centre, trailing/bottom
    };
    if (const auto* vertical = std::get_if<VStack>(&stack.kind)) {
        return {Axis::vertical, vertical->spacing, fraction(vertical->alignment)};
    }
    const auto& horizontal = std::get<HStack>(stack.kind);
    return {Axis::horizontal, horizontal.spacing, fraction(horizontal.alignment)};
}

StackDistribution distributeStack(LayoutNode& stack, ProposedSize proposal,
                                  LayoutContext& context) {
    const StackShape shape = stackShape(stack);
    const Axis major = shape.major;
    const std::size_t count = stack.children.size();
    const std::optional<double> minor = minorProposal(proposal, major);
    const std::optional<double> offered = majorProposal(proposal, major);

    StackDistribution result;
    result.gaps = stackGaps(stack, shape, context);
    result.proposals.resize(count);
    result.sizes.resize(count);

    auto offer = [&](std::size_t i, std::optional<double> length) {
        result.proposals[i] = makeProposal(length, minor, major);
        result.sizes[i] = sizeThatFits(stack.children[i], result.proposals[i], context);
        return majorLength(result.sizes[i], major);
    };

    if (!offered || std::isinf(*offered)) {
        // Asked for its ideal (or largest) size, the stack asks each child the same.
        for (std::size_t i = 0; i < count; ++i) {
            offer(i, offered);
        }
    } else {
        // 1. Measure each child's minimum, maximum and flexibility.
        std::vector<ChildFlexibility> flexibility;
        flexibility.reserve(count);
        for (LayoutNode& child : stack.children) {
            flexibility.push_back(measureFlexibility(child, minor, major, context));
        }

        // 2. Order the children, least flexible first, keeping ties in order.
        std::vector<std::size_t> order(count);
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return sizesFirst(flexibility[a], flexibility[b]);
        });

        // 3. Hold back the minimum of every child outside the first priority
        //    group; each later group gets its own minimums back when it starts.
        double available = *offered - result.gaps.total;
        for (std::size_t i = 0; i < count; ++i) {
            if (flexibility[i].priority != flexibility[order.front()].priority) {
                available -= flexibility[i].minimum;
            }
        }

        // 4. Within each group, offer each child an equal share of what is left.
        for (std::size_t start = 0; start < count;) {
            std::size_t end = start;
            while (end < count &&
                   flexibility[order[end]].priority == flexibility[order[start]].priority) {
                ++end;
            }
            if (start > 0) {
                for (std::size_t i = start; i < end; ++i) {
                    available += flexibility[order[i]].minimum;
                }
            }
            for (std::size_t i = start; i < end; ++i) {
                const double remaining = static_cast<double>(end - i);
                available -= offer(order[i], std::max(available / remaining, 0.0));
            }
            start = end;
        }
    }

    // 5. The stack is its children and gaps long, and as thick as its thickest child.
    double majorTotal = result.gaps.total;
    double minorMaximum = 0;
    for (const Size& size : result.sizes) {
        majorTotal += majorLength(size, major);
        minorMaximum = std::max(minorMaximum, minorLength(size, major));
    }
    result.size =
        major == Axis::horizontal ? Size{majorTotal, minorMaximum} : Size{minorMaximum, majorTotal};
    return result;
}

} // namespace tandry::render::detail
