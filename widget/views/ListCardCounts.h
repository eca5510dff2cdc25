#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>

namespace tandry {

// The numbers behind a list card: how many rows it lists and how many ready
// tasks it leaves out. The task manager may write any 64-bit total, so the
// difference saturates at the ends of the range instead of overflowing; the
// card only shows it when it is positive, which saturation never changes.
struct ListCardCounts {
    std::int64_t total = 0;
    // The smaller of the row limit and the number of listed tasks; never negative.
    std::int64_t shown = 0;
    // total - shown, clamped to the 64-bit range.
    std::int64_t remaining = 0;

    bool operator==(const ListCardCounts&) const = default;

    // A negative row limit lists nothing.
    static ListCardCounts of(std::int64_t total, std::int64_t rows, std::size_t taskCount);
};

std::ostream& operator<<(std::ostream& out, const ListCardCounts& counts);

} // namespace tandry
