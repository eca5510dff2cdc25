#pragma once

#include "widget/timeline/Clock.h"

#include <chrono>

namespace tandry::testing {

// A wall clock that a test sets by hand: forward as time passes or across a
// sleep, backward or forward as when the clock is set. It counts how often
// it is read, so a test can show that an answer reads the time once.
class SettableClock final : public Clock {
public:
    explicit SettableClock(Instant start) : now_(start) {}

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
