#pragma once

#include "widget/intents/ReloadChannel.h"
#include "widget/intents/SystemLog.h"
#include "widget/timeline/Clock.h"

#include <filesystem>
#include <optional>

namespace tandry {

// What an intent's perform step needs from the process that runs it: the
// wall clock, the system log, the way to ask the widget host for a reload,
// and where the shared container is or would be (absent when there can be
// none). Whether the container exists is asked afresh on every call.
struct IntentServices {
    const Clock& clock;
    SystemLog& log;
    ReloadChannel& reloadChannel;
    std::optional<std::filesystem::path> container;
};

} // namespace tandry
