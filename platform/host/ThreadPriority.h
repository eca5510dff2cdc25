#pragma once

#include <sys/resource.h>
#include <unistd.h>

namespace tandry {

// Lowers the calling thread's priority by `steps` nice steps, for work that
// should leave the processor to the main loop when both want it.
inline void lowerThisThreadsPriority(int steps) {
    const auto thread = static_cast<id_t>(::gettid());
    ::setpriority(PRIO_PROCESS, thread, ::getpriority(PRIO_PROCESS, thread) + steps);
}

} // namespace tandry
