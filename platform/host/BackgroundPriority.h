#pragma once

namespace tandry {

// Puts the calling thread below the main loop's priority (ten steps nicer
// than it was), so that background work (reading a large queue, parking a
// flood of ticks) never takes the time the main loop needs on a busy machine.
void lowerThisThreadsPriority();

} // namespace tandry
