#pragma once

#include "widget/timeline/Clock.h"

namespace tandry::testing {

// A wall clock that a test moves by hand: forward as time passes or across a
// sleep, backward or forward as when the clock is set.
class SettableClock final : public Clock {
public:
    explicit SettableClock(Instant start) : now_(start) {}

    Instant now() const override { return now_; }
    void set(Instant instant) { now_ = instant; }
    void advance(std::chrono::microseconds duration) { now_ += duration; }

private:
    Instant now_;
};

} // namespace tandry::testing
