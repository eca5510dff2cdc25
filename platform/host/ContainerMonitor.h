#pragma once

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

    // The directories watched now.
    const std::vector<std::filesystem::path>& watched() const { return paths_; }

private:
    static void onEvent(GFileMonitor* monitor, void* file, void* otherFile, int event, void* data);

    std::function<void()> changed_;
    std::vector<std::filesystem::path> paths_;
    std::vector<GFileMonitor*> monitors_;
    // Per monitor: the only entry name that counts, or empty for any.
    std::vector<std::string> onlyNames_;
};

} // namespace tandry
