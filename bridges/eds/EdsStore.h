#pragma once

#include "bridges/SnapshotOptions.h"
#include "bridges/TaskStore.h"
#include "bridges/eds/EdsTask.h"
#include "platform/GLibOwnership.h"
#include "widget/intents/SystemLog.h"

#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

typedef struct _ECalClient ECalClient;
typedef struct _ECalClientView ECalClientView;
typedef struct _ESource ESource;
typedef struct _ESourceRegistry ESourceRegistry;

namespace tandry {

// The desktop's task lists, kept by Evolution Data Server, as a bridge's task
// store. The source registry and the lists are reached on the first pass
// that needs them and again after a failure, so that a bridge started before
// the data server, or outliving it, finds it when it is there.
class EdsStore final : public TaskStore {
public:
    // `lists` names the task lists to show (display name or source UID);
    // empty for every enabled one.
    EdsStore(std::vector<std::string> lists, SnapshotOptions options, SystemLog& log);
    ~EdsStore() override;
    EdsStore(const EdsStore&) = delete;
    EdsStore& operator=(const EdsStore&) = delete;

    // Every component of the chosen lists, mapped onto the snapshot.
    Result<ReadySnapshot> readySnapshot(Instant now) override;

    // Marks the component complete as the data server does (a recurring one
    // moves on to its next occurrence) and writes it back through its list.
    Result<CompletionOutcome> complete(const Uuid& task) override;

    // From now on calls `changed` on the main loop whenever a chosen list's
    // components change (through a live view of each) or lists come, go or
    // change in the registry.
    void follow(std::function<void()> changed);

private:
    struct Callbacks;
    // A chosen list, connected.
    struct OpenList {
        GObjectPtr<ESource> source;
        GObjectPtr<ECalClient> client;
        GObjectPtr<ECalClientView> view;
        std::vector<SignalConnection> signals;
    };
    // Where a card id's component lives.
    struct Location {
        std::string sourceUid;
        std::string uid;
    };

    // Reaches the registry when it is not reached yet.
    Result<void> reachRegistry();
    // Connects the lists chosen now and lets go of the others.
    Result<void> openChosenLists();
    // Reads every open list and records where each card id lives.
    Result<std::vector<EdsTaskList>> readLists();
    void watch(OpenList& list);
    void notifyChanged();

    std::vector<std::string> listNames_;
    SnapshotOptions options_;
    SystemLog& log_;
    GObjectPtr<ESourceRegistry> registry_;
    std::vector<SignalConnection> registrySignals_;
    // By source UID.
    std::map<std::string, OpenList> open_;
    std::unordered_map<Uuid, Location> locations_;
    std::function<void()> changed_;
};

} // namespace tandry
