#pragma once

#include "widget/store/ReadySnapshot.h"
#include "widget/views/DueDateFormat.h"

#include <chrono>
#include <cstdint>
#include <fmt/format.h>
#include <string>

namespace tandry::testing {

// Due dates as "due M/D" in UTC, so that view tests depend on no locale and
// can tell the formatted date from any other text.
class FakeDueDateFormat final : public DueDateFormat {
public:
    std::string format(Instant date) const override {
        const auto day = std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(date));
        return fmt::format("due {}/{}", static_cast<unsigned>(day.month()),
                           static_cast<unsigned>(day.day()));
    }
};

inline Instant utc(int year, unsigned month, unsigned day, int hour = 12, int minute = 0) {
    using namespace std::chrono;
    return sys_days(std::chrono::year(year) / month / day) + hours(hour) + minutes(minute);
}

// A task whose id's bytes all equal `seed`, titled "Task <seed>".
inline ReadySnapshot::Item task(unsigned char seed) {
    ReadySnapshot::Item item;
    item.id.bytes.fill(seed);
    item.title = fmt::format("Task {}", seed);
    item.flowName = "Flow";
    item.priorityRaw = "none";
    return item;
}

// A snapshot of `count` tasks (seeds 1, 2, ...) with the given total.
inline ReadySnapshot snapshotOf(std::int64_t total, int count, std::string palette = "violet") {
    ReadySnapshot snapshot;
    snapshot.validUntil = utc(2026, 12, 5, 18);
    snapshot.total = total;
    for (int i = 1; i <= count; ++i) {
        snapshot.tasks.push_back(task(static_cast<unsigned char>(i)));
    }
    snapshot.paletteRaw = std::move(palette);
    return snapshot;
}

} // namespace tandry::testing
