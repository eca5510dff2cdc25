#pragma once

#include "widget/store/Instant.h"

#include <functional>
#include <optional>

namespace tandry {

// An alarm on the wall clock, in the main loop: it rings when the wall clock
// reaches the set instant however it got there, whether time ran, the
// machine slept past it, or the clock was set; and it rings at once, marked
// as such, whenever the wall clock is set. Built on a timerfd of the real-time
// clock (TFD_TIMER_ABSTIME with TFD_TIMER_CANCEL_ON_SET); where the kernel
// offers none, a check every ten seconds compares the wall clock instead.
class WallClockAlarm {
public:
    enum class Reason { reached, clockChanged };
    using Handler = std::function<void(Reason reason)>;

    explicit WallClockAlarm(Handler handler);
    ~WallClockAlarm();
    WallClockAlarm(const WallClockAlarm&) = delete;
    WallClockAlarm& operator=(const WallClockAlarm&) = delete;

    // Rings at `instant`; with nothing, rings only when the clock is set.
    void set(std::optional<Instant> instant);

private:
    static int onReadable(int descriptor, unsigned condition, void* alarm);
    static int onCheck(void* alarm);

    Handler handler_;
    int descriptor_ = -1;
    unsigned source_ = 0;
    std::optional<Instant> instant_;
    // For the fallback check: wall minus monotonic time at the last check.
    std::chrono::microseconds lastOffset_{0};
};

} // namespace tandry
