#pragma once

#include "bridges/BridgeCycle.h"
#include "platform/GLibOwnership.h"
#include "platform/SourceHandle.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

typedef struct _GFileMonitor GFileMonitor;
typedef struct _GMainLoop GMainLoop;

namespace tandry {

// The size and modification time of every file in a directory: a store's
// data as it was after the bridge's own pass, so that the bridge's own
// writes to it do not start another pass.
using DirectoryFingerprint = std::map<std::string, std::pair<std::uintmax_t, std::int64_t>>;
DirectoryFingerprint fingerprintOf(const std::filesystem::path& directory);

// Keeps a bridge running: a pass at the start, then again whenever the
// store's data or the queue changes (a burst of changes is one pass), when
// the published snapshot's validUntil comes, and after a failed pass with a
// backoff, until SIGTERM or SIGINT.
class BridgeDaemon {
public:
    struct Watched {
        // The store's data directory; absent when the store has none to watch.
        std::optional<std::filesystem::path> storeData;
        std::filesystem::path container;
    };

    BridgeDaemon(BridgeCycle& cycle, Watched watched, SystemLog& log);
    ~BridgeDaemon();
    BridgeDaemon(const BridgeDaemon&) = delete;
    BridgeDaemon& operator=(const BridgeDaemon&) = delete;

    // Runs the main loop until a signal ends it; the exit status.
    int run();

    // The store says its tasks changed (a store without a data directory to
    // watch follows its own changes): a pass follows, bursts coalesced.
    void storeChanged();

private:
    struct Callbacks;
    struct Watch {
        GObjectPtr<GFileMonitor> monitor;
        SignalConnection changed;
    };

    // Runs a pass after `delay`, unless one is due sooner already.
    void schedulePass(std::chrono::milliseconds delay);
    void runPass();
    // Wakes at `validUntil`, checking at least once a minute, so that a
    // clock set forward or a machine waking from sleep is noticed.
    void armValidUntil(Instant validUntil);
    void watch(const std::filesystem::path& directory);
    void storeDataChanged();

    BridgeCycle& cycle_;
    Watched watched_;
    SystemLog& log_;
    Owned<GMainLoop, g_main_loop_unref> loop_;
    std::vector<Watch> watches_;
    SourceHandle pass_;
    std::chrono::steady_clock::time_point passDue_{};
    SourceHandle validUntilTimer_;
    std::optional<Instant> validUntil_;
    std::vector<SourceHandle> signals_;
    int failures_ = 0;
    DirectoryFingerprint storeDataAfterPass_;
};

} // namespace tandry
