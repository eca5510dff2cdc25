#pragma once

#include "platform/GLibOwnership.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

typedef struct _GFileMonitor GFileMonitor;

namespace tandry {

// Watches the shared container for what changes the card: the snapshot
// replaced by the task manager, records added to or taken from the queue.
// Every such change is reported as one call of `changed`, which the host
// counts as a reload request. Hidden names (the writers' temporary files)
// are ignored; a rename is judged by its new name.
//
// The container and its queue may not exist yet: `watch` is called again
// after every load and watches what exists then, the nearest existing
// directory above the container standing in until the container appears.
class ContainerMonitor {
public:
    explicit ContainerMonitor(std::function<void()> changed);
    ~ContainerMonitor();
    ContainerMonitor(const ContainerMonitor&) = delete;
    ContainerMonitor& operator=(const ContainerMonitor&) = delete;

    // Watches `container` (its path even when it does not exist) and its queue.
    void watch(const std::optional<std::filesystem::path>& container);

private:
    struct Callbacks;

    // One directory watched.
    struct Watch {
        std::filesystem::path path;
        // Above the container: the one entry name that leads to it and is
        // the only one that counts. Empty for the container and its queue.
        std::string onlyName;
        GObjectPtr<GFileMonitor> monitor;
        SignalConnection changed;
    };

    // Cancels every monitor; no event reaches this object afterwards.
    void stopWatching();

    std::function<void()> changed_;
    std::vector<Watch> watches_;
};

} // namespace tandry
