#pragma once

#include "widget/intents/ReloadChannel.h"

#include <functional>
#include <string>
#include <vector>

namespace tandry::testing {

// A reload channel that keeps the kind of every request. `onRequest`, when
// set, runs at each request, so a test can look at the world as it was when
// the reload was asked for.
struct RecordingReloadChannel final : ReloadChannel {
    void reloadTimelines(std::string_view kind) override {
        if (onRequest) {
            onRequest(kind);
        }
        kinds.emplace_back(kind);
    }

    std::function<void(std::string_view kind)> onRequest;
    std::vector<std::string> kinds;
};

} // namespace tandry::testing
