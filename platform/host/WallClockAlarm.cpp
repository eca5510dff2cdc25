#include "platform/host/WallClockAlarm.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <glib-unix.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace tandry {
namespace {

using namespace std::chrono;

// Under the policy never the timer still has to be armed, or the kernel would
// not report clock changes; it is armed this far ahead.
constexpr auto farAhead = hours(24 * 365 * 10);

Instant wallNow() {
    return Instant(microseconds(g_get_real_time()));
}

} // namespace

struct WallClockAlarm::Callbacks {
    static gboolean readable(gint descriptor, GIOCondition, gpointer data) {
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
};

Result<std::unique_ptr<WallClockAlarm>> WallClockAlarm::create(Handler handler) {
    FileDescriptor descriptor{::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC)};
    if (!descriptor) {
        return fail(std::string("cannot create a timer on the wall clock (timerfd_create): ") +
                    std::strerror(errno));
    }
    return std::unique_ptr<WallClockAlarm>(
        new WallClockAlarm(std::move(handler), std::move(descriptor)));
}

WallClockAlarm::WallClockAlarm(Handler handler, FileDescriptor descriptor)
    : handler_(std::move(handler)), descriptor_(std::move(descriptor)),
      source_(g_unix_fd_add(descriptor_.get(), G_IO_IN, &Callbacks::readable, this)) {
    set(std::nullopt);
}

void WallClockAlarm::set(std::optional<Instant> instant) {
    instant_ = instant;
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
    ::timerfd_settime(descriptor_.get(), TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &alarmTime,
                      nullptr);
}

} // namespace tandry
