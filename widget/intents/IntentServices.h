#pragma once

#include "widget/intents/ReloadChannel.h"
#include "widget/intents/SystemLog.h"
#include "widget/timeline/Clock.h"

namespace tandry {

// What an intent's perform step needs from the process that runs it: the
// wall clock, the system log and the way to ask the widget host for a reload.
// The shared container is found afresh on every call, as everywhere else.
struct IntentServices {
    const Clock& clock;
    SystemLog& log;
    ReloadChannel& reloadChannel;
};

} // namespace tandry
