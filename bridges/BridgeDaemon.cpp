#include "bridges/BridgeDaemon.h"

#include "bridges/Publication.h"
#include "widget/store/PendingQueue.h"

#include <algorithm>
#include <csignal>
#include <fmt/format.h>
#include <gio/gio.h>
#include <glib-unix.h>
#include <system_error>

namespace tandry {
namespace {

// A burst (Taskwarrior rewrites several files per command, a flood of ticks)
// is one pass: the first change waits this long for the rest.
constexpr std::chrono::milliseconds coalesceDelay{100};
// A failing store is asked again after 1, 2, 4 ... seconds, at most a minute.
constexpr std::chrono::milliseconds firstRetry{1000};
constexpr std::chrono::milliseconds longestRetry{60'000};
// The longest sleep before looking at the wall clock again.
constexpr std::chrono::milliseconds longestWait{60'000};

std::string nameOf(GFile* file) {
    if (file == nullptr) {
        return {};
    }
    const GCharPtr name(g_file_get_basename(file));
    return name ? std::string(name.get()) : std::string();
}

} // namespace

DirectoryFingerprint fingerprintOf(const std::filesystem::path& directory) {
    DirectoryFingerprint fingerprint;
    std::error_code error;
    for (std::filesystem::directory_iterator entries(directory, error);
         !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code entryError;
        const auto size = entries->file_size(entryError);
        const auto modified = entries->last_write_time(entryError);
        if (!entryError) {
            fingerprint[entries->path().filename().string()] = {
                size, modified.time_since_epoch().count()};
        }
    }
    return fingerprint;
}

struct BridgeDaemon::Callbacks {
    static void changed(GFileMonitor*, GFile* file, GFile* otherFile, GFileMonitorEvent event,
                        gpointer data) {
        auto* self = static_cast<BridgeDaemon*>(data);
        std::string name;
        switch (event) {
        case G_FILE_MONITOR_EVENT_RENAMED:
            name = nameOf(otherFile);
            break;
        case G_FILE_MONITOR_EVENT_CREATED:
        case G_FILE_MONITOR_EVENT_CHANGED:
        case G_FILE_MONITOR_EVENT_CHANGES_DONE_HINT:
        case G_FILE_MONITOR_EVENT_MOVED_IN:
            name = nameOf(file);
            break;
        default:
            // Removals are the bridge's own consumed records (or a store
            // tidying up): nothing new to show.
            return;
        }
        // Hidden names are writers' temporary files; their rename counts.
        if (name.empty() || name.front() == '.') {
            return;
        }
        const GCharPtr path(g_file_get_path(file));
        const std::filesystem::path directory =
            std::filesystem::path(path ? path.get() : "").parent_path();
        if (self->watched_.storeData && directory == *self->watched_.storeData) {
            self->storeDataChanged();
        } else {
            self->schedulePass(coalesceDelay);
        }
    }

    static gboolean passDue(gpointer data) {
        auto* self = static_cast<BridgeDaemon*>(data);
        self->pass_.release();
        self->runPass();
        return G_SOURCE_REMOVE;
    }

    static gboolean validUntilCheck(gpointer data) {
        auto* self = static_cast<BridgeDaemon*>(data);
        self->validUntilTimer_.release();
        if (self->validUntil_) {
            self->armValidUntil(*self->validUntil_);
        }
        return G_SOURCE_REMOVE;
    }

    static gboolean quit(gpointer data) {
        g_main_loop_quit(static_cast<BridgeDaemon*>(data)->loop_.get());
        return G_SOURCE_CONTINUE;
    }
};

BridgeDaemon::BridgeDaemon(BridgeCycle& cycle, Watched watched, SystemLog& log)
    : cycle_(cycle), watched_(std::move(watched)), log_(log),
      loop_(g_main_loop_new(nullptr, FALSE)) {}

BridgeDaemon::~BridgeDaemon() {
    for (Watch& watch : watches_) {
        watch.changed.reset();
        g_file_monitor_cancel(watch.monitor.get());
    }
}

int BridgeDaemon::run() {
    for (const int signal : {SIGTERM, SIGINT}) {
        signals_.emplace_back(g_unix_signal_add(signal, &Callbacks::quit, this));
    }
    // Watching starts before the first pass, so that no change made during
    // it is missed; the container and its queue are created for it.
    if (auto created = ensureContainer(watched_.container); !created) {
        log_.error(created.error().message);
    }
    if (watched_.storeData) {
        watch(*watched_.storeData);
    }
    watch(watched_.container / pendingQueueDirectoryName);
    runPass();
    g_main_loop_run(loop_.get());
    return 0;
}

void BridgeDaemon::watch(const std::filesystem::path& directory) {
    const GObjectPtr<GFile> file(g_file_new_for_path(directory.c_str()));
    GErrorPtr error;
    GObjectPtr<GFileMonitor> monitor(
        g_file_monitor_directory(file.get(), G_FILE_MONITOR_WATCH_MOVES, nullptr, out(error)));
    if (monitor == nullptr) {
        log_.error(fmt::format("cannot watch {}: {}; changes there show at the next validUntil",
                               directory.string(), error ? error->message : "unknown error"));
        return;
    }
    SignalConnection changed =
        SignalConnection::connect(monitor.get(), "changed", G_CALLBACK(&Callbacks::changed), this);
    watches_.push_back({std::move(monitor), std::move(changed)});
}

void BridgeDaemon::storeChanged() {
    schedulePass(coalesceDelay);
}

void BridgeDaemon::storeDataChanged() {
    // The bridge's own `task` runs write there too; a pass follows only a
    // change that came after the last pass.
    if (fingerprintOf(*watched_.storeData) == storeDataAfterPass_ && !pass_.active()) {
        return;
    }
    schedulePass(coalesceDelay);
}

void BridgeDaemon::schedulePass(std::chrono::milliseconds delay) {
    const auto due = std::chrono::steady_clock::now() + delay;
    if (pass_.active() && passDue_ <= due) {
        return;
    }
    passDue_ = due;
    pass_ =
        SourceHandle(g_timeout_add(static_cast<guint>(delay.count()), &Callbacks::passDue, this));
}

void BridgeDaemon::runPass() {
    const auto before =
        watched_.storeData ? fingerprintOf(*watched_.storeData) : decltype(storeDataAfterPass_){};
    auto report = cycle_.run();
    if (watched_.storeData) {
        storeDataAfterPass_ = fingerprintOf(*watched_.storeData);
    }
    if (report) {
        failures_ = 0;
        armValidUntil(report->validUntil);
        // A change made in a terminal while the pass ran is in the
        // fingerprint already, so its report looks like the pass's own
        // writes: one more pass reads it. A pass that writes nothing itself
        // (no tick to apply) ends the series.
        if (watched_.storeData && storeDataAfterPass_ != before) {
            schedulePass(coalesceDelay);
        }
        return;
    }
    const auto retry = std::min(longestRetry, firstRetry * (1 << std::min(failures_, 6)));
    ++failures_;
    log_.error(fmt::format("{} (trying again in {} s)", report.error().message,
                           std::chrono::duration_cast<std::chrono::seconds>(retry).count()));
    schedulePass(retry);
}

void BridgeDaemon::armValidUntil(Instant validUntil) {
    validUntil_ = validUntil;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        validUntil - std::chrono::system_clock::now());
    if (left.count() <= 0) {
        validUntil_.reset();
        validUntilTimer_.reset();
        schedulePass(std::chrono::milliseconds{0});
        return;
    }
    const auto wait = std::min(left, longestWait);
    validUntilTimer_ = SourceHandle(
        g_timeout_add(static_cast<guint>(wait.count()), &Callbacks::validUntilCheck, this));
}

} // namespace tandry
