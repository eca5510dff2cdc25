#pragma once

#include "widget/intents/ReloadChannel.h"

namespace tandry {

// The reload channel of processes other than the host: one call of the
// host's reload action on the session bus. The host is never started for it,
// and with no session bus or no host running the request is dropped without
// a word: a widget nobody shows needs no reload. Waits until the host has
// taken the request (two seconds at most), so a command that asks for a
// reload returns after the host knows of it.
class BusReloadChannel final : public ReloadChannel {
public:
    void reloadTimelines(std::string_view kind) override;
};

} // namespace tandry
