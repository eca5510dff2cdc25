#include "platform/host/WallClockAlarm.h"

#include <cerrno>
#include <cstdint>
#include <glib-unix.h>
#include <glib.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace tandry {
namespace {

using namespace std::chrono;

// Under the policy never the timer still has to be armed, or the kernel would
// not report clock changes; it is armed this far ahead.
constexpr auto farAhead = hours(24 * 365 * 10);

// The fallback check notices a clock that moved by more than this.
constexpr auto clockJumpTolerance = seconds(2);
constexpr unsigned checkIntervalSeconds = 10;

microseconds wallMinusMonotonic() {
    return microseconds(g_get_real_time() - g_get_monotonic_time());
}

Instant wallNow() {
    return Instant(microseconds(g_get_real_time()));
}

} // namespace

WallClockAlarm::WallClockAlarm(Handler handler) : handler_(std::move(handler)) {
    descriptor_ = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (descriptor_ >= 0) {
        source_ =
            g_unix_fd_add(descriptor_, G_IO_IN,
                          reinterpret_cast<GUnixFDSourceFunc>(&WallClockAlarm::onReadable), this);
    } else {
        lastOffset_ = wallMinusMonotonic();
        source_ = g_timeout_add_seconds(checkIntervalSeconds, &WallClockAlarm::onCheck, this);
    }
    set(std::nullopt);
}

WallClockAlarm::~WallClockAlarm() {
    if (source_ != 0) {
        g_source_remove(source_);
    }
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

void WallClockAlarm::set(std::optional<Instant> instant) {
    instant_ = instant;
    if (descriptor_ < 0) {
        return;
    }
    const Instant at = instant ? *instant : time_point_cast<microseconds>(wallNow() + farAhead);
    const auto sinceEpoch = at.time_since_epoch();
    itimerspec alarmTime{};
    const auto wholeSeconds = floor<seconds>(sinceEpoch);
    alarmTime.it_value.tv_sec = static_cast<time_t>(wholeSeconds.count());
    alarmTime.it_value.tv_nsec = static_cast<long>(nanoseconds(sinceEpoch - wholeSeconds).count());
    // An instant at or before the epoch would disarm the timer; ring instead.
    if (alarmTime.it_value.tv_sec <= 0) {
        alarmTime.it_value.tv_sec = 0;
        alarmTime.it_value.tv_nsec = 1;
    }
    ::timerfd_settime(descriptor_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &alarmTime,
                      nullptr);
}

int WallClockAlarm::onReadable(int descriptor, unsigned, void* data) {
    auto* alarm = static_cast<WallClockAlarm*>(data);
    std::uint64_t expirations = 0;
    const ssize_t got = ::read(descriptor, &expirations, sizeof expirations);
    // A set clock cancels the timer (the read fails with ECANCELED) and
    // leaves it disarmed until it is set again.
    const bool cancelled = got < 0 && errno == ECANCELED;
    if (got < 0 && !cancelled) {
        return G_SOURCE_CONTINUE;
    }
    if (cancelled) {
        alarm->set(alarm->instant_);
    }
    alarm->handler_(cancelled ? Reason::clockChanged : Reason::reached);
    return G_SOURCE_CONTINUE;
}

int WallClockAlarm::onCheck(void* data) {
    auto* alarm = static_cast<WallClockAlarm*>(data);
    const auto offset = wallMinusMonotonic();
    const auto moved = offset - alarm->lastOffset_;
    alarm->lastOffset_ = offset;
    if (moved > clockJumpTolerance || moved < -clockJumpTolerance) {
        alarm->handler_(Reason::clockChanged);
    } else if (alarm->instant_ && wallNow() >= *alarm->instant_) {
        alarm->handler_(Reason::reached);
    }
    return G_SOURCE_CONTINUE;
}

} // namespace tandry
