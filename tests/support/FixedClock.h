#pragma once

#include "widget/timeline/Clock.h"

#include <atomic>

namespace tandry::testing {

// A clock that always answers the same instant and counts how often it is read.
class FixedClock final : public Clock {
public:
    explicit FixedClock(Instant instant) : instant_(instant) {}

    Instant now() const override {
        ++reads_;
        return instant_;
    }
    int reads() const { return reads_; }

private:
    Instant instant_;
    mutable std::atomic<int> reads_{0};
};

} // namespace tandry::testing
