#pragma once

#include <string_view>

namespace tandry {

// How the widget asks its host to drop the current timelines of every widget
// of a kind and ask the provider again soon. Fire and forget: with no host
// listening nothing happens and nothing is reported. Safe from any thread.
class ReloadChannel {
public:
    virtual ~ReloadChannel() = default;

    virtual void reloadTimelines(std::string_view kind) = 0;
};

} // namespace tandry
