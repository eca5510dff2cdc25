#include "widget/views/ListCardCounts.h"

#include <algorithm>
#include <limits>
#include <ostream>
#include <utility>

namespace tandry {

ListCardCounts ListCardCounts::of(std::int64_t total, std::int64_t rows, std::size_t taskCount) {
    using Limits = std::numeric_limits<std::int64_t>;

    // 1. The rows listed: a task count beyond the 64-bit range cannot occur,
    //    but compares correctly anyway.
    const std::int64_t limit = std::max<std::int64_t>(rows, 0);
    const std::int64_t shown =
        std::cmp_less(taskCount, limit) ? static_cast<std::int64_t>(taskCount) : limit;

    // 2. The rest. `shown` is not negative, so only a total near the bottom
    //    of the range can overflow, and then the true value is negative too.
    std::int64_t remaining = 0;
    if (__builtin_sub_overflow(total, shown, &remaining)) {
        remaining = Limits::min();
    }
    return {total, shown, remaining};
}

std::ostream& operator<<(std::ostream& out, const ListCardCounts& counts) {
    return out << "ListCardCounts{total=" << counts.total << ", shown=" << counts.shown
               << ", remaining=" << counts.remaining << '}';
}

} // namespace tandry
