#pragma once

#include "widget/intents/ReloadChannel.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tandry::testing {

// A reload channel that keeps the kind of every request, safe from several
// threads. `onRequest`, when set, runs at each request, so a test can look at
// the world as it was when the reload was asked for.
class RecordingReloadChannel final : public ReloadChannel {
public:
    void reloadTimelines(std::string_view kind) override {
        if (onRequest) {
            onRequest(kind);
        }
        std::lock_guard lock(mutex_);
        kinds_.emplace_back(kind);
    }

    std::vector<std::string> kinds() const {
        std::lock_guard lock(mutex_);
        return kinds_;
    }

    std::function<void(std::string_view kind)> onRequest;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> kinds_;
};

} // namespace tandry::testing
