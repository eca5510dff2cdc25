#include "platform/host/ContainerMonitor.h"

#include "widget/store/PendingQueue.h"

#include <algorithm>
#include <gio/gio.h>
#include <string>

namespace tandry {
namespace {

std::string nameOf(GFile* file) {
    if (file == nullptr) {
        return {};
    }
    const GCharPtr name(g_file_get_basename(file));
    return name != nullptr ? name.get() : "";
}

// A directory worth watching and the only entry name in it that counts
// (empty for any).
struct WatchedDirectory {
    std::filesystem::path path;
    std::string onlyName;
};

// The directories worth watching for `container`: the container and its
// queue when they exist; else the nearest existing directory above it, so
// that its creation is noticed.
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

struct ContainerMonitor::Callbacks {
    static void changed(GFileMonitor* monitor, GFile* file, GFile* otherFile,
                        GFileMonitorEvent event, gpointer data) {
        auto* self = static_cast<ContainerMonitor*>(data);
        std::string name;
        switch (event) {
        case G_FILE_MONITOR_EVENT_RENAMED:
            // A temporary file renamed into place counts by its new name.
            name = nameOf(otherFile);
            break;
        case G_FILE_MONITOR_EVENT_CREATED:
        case G_FILE_MONITOR_EVENT_DELETED:
        case G_FILE_MONITOR_EVENT_CHANGES_DONE_HINT:
        case G_FILE_MONITOR_EVENT_MOVED_IN:
        case G_FILE_MONITOR_EVENT_MOVED_OUT:
            name = nameOf(file);
            break;
        default:
            // Partial writes and attribute changes: the write's end or the
            // rename that follows is what counts.
            return;
        }
        if (name.empty() || name.front() == '.') {
            return;
        }
        // Above the container only the next directory on the way down
        // matters; the rest of the data directory is other programs' business.
        const auto watch =
            std::find_if(self->watches_.begin(), self->watches_.end(), [&](const Watch& candidate) {
                return candidate.monitor.get() == monitor;
            });
        if (watch != self->watches_.end() && !watch->onlyName.empty() && watch->onlyName != name) {
            return;
        }
        self->changed_();
    }
};

ContainerMonitor::ContainerMonitor(std::function<void()> changed) : changed_(std::move(changed)) {}

ContainerMonitor::~ContainerMonitor() {
    stopWatching();
}

void ContainerMonitor::watch(const std::optional<std::filesystem::path>& container) {
    const auto directories = directoriesFor(container);
    if (std::equal(directories.begin(), directories.end(), watches_.begin(), watches_.end(),
                   [](const WatchedDirectory& directory, const Watch& watch) {
                       return directory.path == watch.path;
                   })) {
        return;
    }
    stopWatching();
    for (const auto& directory : directories) {
        const GObjectPtr<GFile> file(g_file_new_for_path(directory.path.c_str()));
        GObjectPtr<GFileMonitor> monitor(
            g_file_monitor_directory(file.get(), G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr));
        if (monitor == nullptr) {
            continue;
        }
        SignalConnection changed = SignalConnection::connect(monitor.get(), "changed",
                                                             G_CALLBACK(&Callbacks::changed), this);
        watches_.push_back(
            {directory.path, directory.onlyName, std::move(monitor), std::move(changed)});
    }
}

void ContainerMonitor::stopWatching() {
    // GIO may hold a monitor a while longer than this object (an event being
    // dispatched keeps a reference), so the handler leaves before the reference.
    for (Watch& watch : watches_) {
        watch.changed.reset();
        g_file_monitor_cancel(watch.monitor.get());
    }
    watches_.clear();
}

} // namespace tandry
