#pragma once

#include "widget/timeline/Clock.h"

#include <chrono>

namespace tandry::testing {

// A wall clock that a test sets by hand: forward as time passes or across a
// sleep, backward or forward as when the clock is set. It starts at a fixed
// instant (09:30 UTC on 5 December 2026 unless told otherwise) and counts how
// often it is read, so a test can show that an answer reads the time once.
class SettableClock final : public Clock {
public:
    explicit SettableClock(Instant start = std::chrono::sys_days(std::chrono::year(2026) / 12 / 5) +
                                           std::chrono::minutes(9 * 60 + 30))
        : now_(start) {}

    Instant now() const override {
        ++reads_;
        return now_;
    }
    void set(Instant instant) { now_ = instant; }
    void advance(std::chrono::microseconds duration) { now_ += duration; }
    int reads() const { return reads_; }

private:
    Instant now_;
    mutable int reads_ = 0;
};

} // namespace tandry::testing
