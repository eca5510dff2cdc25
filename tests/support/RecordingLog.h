#pragma once

#include "widget/intents/SystemLog.h"

#include <string>
#include <vector>

namespace tandry::testing {

// A system log that keeps every error entry. One that refuses errors shows
// whether callers skip building their messages.
struct RecordingLog final : SystemLog {
    bool acceptsErrors() const override { return accepting; }
    void error(std::string_view message) override { entries.emplace_back(message); }

    bool accepting = true;
    std::vector<std::string> entries;
};

} // namespace tandry::testing
