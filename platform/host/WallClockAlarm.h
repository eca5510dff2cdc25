#pragma once

#include "platform/SourceHandle.h"
#include "widget/system/Error.h"
#include "widget/system/FileDescriptor.h"
#include "widget/system/Instant.h"

#include <functional>
#include <memory>
#include <optional>

namespace tandry {

// An alarm on the wall clock, in the main loop: it rings when the wall clock
// reaches the set instant however it got there, whether time ran, the
// machine slept past it, or the clock was set; and it rings at once, marked
// as such, whenever the wall clock is set. Built on a timerfd of the real-time
// clock (TFD_TIMER_ABSTIME with TFD_TIMER_CANCEL_ON_SET), which every kernel
// we run on has.
class WallClockAlarm {
public:
    enum class Reason { reached, clockChanged };
    using Handler = std::function<void(Reason reason)>;

    // An alarm that rings only when the clock is set, until `set` names an
    // instant; fails when the kernel gives no timer.
    static Result<std::unique_ptr<WallClockAlarm>> create(Handler handler);
    ~WallClockAlarm() = default;
    WallClockAlarm(const WallClockAlarm&) = delete;
    WallClockAlarm& operator=(const WallClockAlarm&) = delete;

    // Rings at `instant`; with nothing, rings only when the clock is set.
    void set(std::optional<Instant> instant);

private:
    struct Callbacks;

    WallClockAlarm(Handler handler, FileDescriptor descriptor);

    Handler handler_;
    // The source goes before the timer it watches.
    FileDescriptor descriptor_;
    SourceHandle source_;
    std::optional<Instant> instant_;
};

} // namespace tandry
