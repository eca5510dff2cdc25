#pragma once

#include "widget/system/Instant.h"

namespace tandry {

// The source of the current instant, handed in so that tests can fix it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Instant now() const = 0;
};

// The system's wall clock.
class SystemClock final : public Clock {
public:
    Instant now() const override {
        return std::chrono::floor<std::chrono::microseconds>(std::chrono::system_clock::now());
    }
};

} // namespace tandry
