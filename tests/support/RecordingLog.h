#pragma once

#include "widget/intents/SystemLog.h"

#include <mutex>
#include <string>
#include <vector>

namespace tandry::testing {

// A system log that keeps every error entry, safe from several threads. One
// that refuses errors shows whether callers skip building their messages.
class RecordingLog final : public SystemLog {
public:
    explicit RecordingLog(bool accepting = true) : accepting_(accepting) {}

    bool acceptsErrors() const override { return accepting_; }
    void error(std::string_view message) override {
        std::lock_guard lock(mutex_);
        entries_.emplace_back(message);
    }

    std::vector<std::string> entries() const {
        std::lock_guard lock(mutex_);
        return entries_;
    }

private:
    bool accepting_;
    mutable std::mutex mutex_;
    std::vector<std::string> entries_;
};

} // namespace tandry::testing
