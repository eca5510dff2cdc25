#include "platform/host/ContainerMonitor.h"

#include "widget/store/PendingQueue.h"

#include <gio/gio.h>
#include <string>

namespace tandry {
namespace {

std::string nameOf(GFile* file) {
    if (file == nullptr) {
        return {};
    }
    char* name = g_file_get_basename(file);
    std::string result = name != nullptr ? name : "";
    g_free(name);
    return result;
}

// The directories worth watching for `container`: the container and its
// queue when they exist; else the nearest existing directory above it, so
// that its creation is noticed.
struct WatchedDirectory {
    std::filesystem::path path;
    // For a directory above the container: the one entry that leads to it.
    std::string onlyName;

    bool operator==(const WatchedDirectory&) const = default;
};

std::vector<WatchedDirectory>
directoriesFor(const std::optional<std::filesystem::path>& container) {
    std::vector<WatchedDirectory> directories;
    if (!container) {
        return directories;
    }
    std::error_code error;
    if (std::filesystem::is_directory(*container, error)) {
        directories.push_back({*container, {}});
        const auto queue = *container / pendingQueueDirectoryName;
        if (std::filesystem::is_directory(queue, error)) {
            directories.push_back({queue, {}});
        }
        return directories;
    }
    auto below = *container;
    for (auto above = container->parent_path(); !above.empty() && above != below;
         below = above, above = above.parent_path()) {
        if (std::filesystem::is_directory(above, error)) {
            directories.push_back({above, below.filename().string()});
            break;
        }
    }
    return directories;
}

} // namespace

ContainerMonitor::ContainerMonitor(std::function<void()> changed) : changed_(std::move(changed)) {}

ContainerMonitor::~ContainerMonitor() {
    for (GFileMonitor* monitor : monitors_) {
        g_file_monitor_cancel(monitor);
        g_object_unref(monitor);
    }
}

void ContainerMonitor::watch(const std::optional<std::filesystem::path>& container) {
    const auto directories = directoriesFor(container);
    std::vector<std::filesystem::path> paths;
    for (const auto& directory : directories) {
        paths.push_back(directory.path);
    }
    if (paths == paths_) {
        return;
    }
    for (GFileMonitor* monitor : monitors_) {
        g_file_monitor_cancel(monitor);
        g_object_unref(monitor);
    }
    monitors_.clear();
    onlyNames_.clear();
    paths_.clear();
    for (const auto& directory : directories) {
        GFile* file = g_file_new_for_path(directory.path.c_str());
        GFileMonitor* monitor =
            g_file_monitor_directory(file, G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr);
        g_object_unref(file);
        if (monitor == nullptr) {
            continue;
        }
        g_signal_connect(monitor, "changed", G_CALLBACK(&ContainerMonitor::onEvent), this);
        monitors_.push_back(monitor);
        onlyNames_.push_back(directory.onlyName);
        paths_.push_back(directory.path);
    }
}

void ContainerMonitor::onEvent(GFileMonitor* monitor, void* file, void* otherFile, int event,
                               void* data) {
    auto* self = static_cast<ContainerMonitor*>(data);
    std::string name;
    switch (static_cast<GFileMonitorEvent>(event)) {
    case G_FILE_MONITOR_EVENT_RENAMED:
        // A temporary file renamed into place counts by its new name.
        name = nameOf(G_FILE(otherFile));
        break;
    case G_FILE_MONITOR_EVENT_CREATED:
    case G_FILE_MONITOR_EVENT_DELETED:
    case G_FILE_MONITOR_EVENT_CHANGES_DONE_HINT:
    case G_FILE_MONITOR_EVENT_MOVED_IN:
    case G_FILE_MONITOR_EVENT_MOVED_OUT:
        name = nameOf(G_FILE(file));
        break;
    default:
        // Partial writes and attribute changes: the write's end or the
        // rename that follows is what counts.
        return;
    }
    if (name.empty() || name.front() == '.') {
        return;
    }
    // Above the container only the next directory on the way down matters;
    // the rest of the data directory is other programs' business.
    for (std::size_t i = 0; i < self->monitors_.size(); ++i) {
        if (self->monitors_[i] == monitor && !self->onlyNames_[i].empty() &&
            self->onlyNames_[i] != name) {
            return;
        }
    }
    self->changed_();
}

} // namespace tandry
