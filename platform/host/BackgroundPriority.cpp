#include "platform/host/BackgroundPriority.h"

#include <sys/resource.h>
#include <unistd.h>

namespace tandry {

void lowerThisThreadsPriority() {
    // On Linux a thread's nice value is its own: the call names the thread.
    constexpr int steps = 10;
    const auto thread = static_cast<id_t>(::gettid());
    ::setpriority(PRIO_PROCESS, thread, ::getpriority(PRIO_PROCESS, thread) + steps);
}

} // namespace tandry
