#pragma once

#include "widget/timeline/Clock.h"

#include <optional>

namespace tandry {

// The clock of a command: the instant of --at when it was given, the system
// clock otherwise.
class CommandClock final : public Clock {
public:
    explicit CommandClock(std::optional<Instant> at) : at_(at) {}
    Instant now() const override { return at_ ? *at_ : SystemClock().now(); }

private:
    std::optional<Instant> at_;
};

} // namespace tandry
