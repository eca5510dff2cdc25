#pragma once

#include "platform/GLibOwnership.h"
#include "platform/SourceHandle.h"
#include "platform/host/GioUrlOpener.h"
#include "platform/host/HeadlessOutput.h"
#include "platform/host/HostOptions.h"
#include "platform/host/PlacementStore.h"
#include "platform/render/CardRenderer.h"
#include "widget/timeline/Clock.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef struct _GApplication GApplication;

namespace tandry {

class ContainerMonitor;
class DesktopAppearance;
class DesktopBackend;
class IntentWorker;
class MainLoopReloadChannel;
class WallClockAlarm;
class WidgetWindow;

// The desktop widget host: a single-instance application on the session bus
// that shows every widget the bundle declares, in the places the user left
// them, and keeps their timelines current. Everything it knows about a widget
// comes from the widget's declaration: the kind, the provider, the view and
// the families.
//
// Its actions, for other processes (`gapplication action`, `tandry-widget`):
//   reload-timelines KIND   reloads every widget of the kind
//   reload-all-timelines    reloads every widget (what the desktop entry offers)
//   tick-ready-task ID      runs the tick intent for a task id
// Loads happen in the main loop, when the timeline scheduler says so; intents
// run on worker threads.
class WidgetHost {
public:
    explicit WidgetHost(HostOptions options);
    ~WidgetHost();
    WidgetHost(const WidgetHost&) = delete;
    WidgetHost& operator=(const WidgetHost&) = delete;

    // Runs until the application quits; the exit status.
    int run(const char* programName);

private:
    struct HostedKind;
    struct Signals;

    void startup();
    void activate();
    void shutdown();

    void placeWidgets();
    void requestReload(const std::string& kind);
    void requestReloadOfAll();
    // Redraws the widgets of `kind` at once with the parked ticks overlaid.
    void showParkedTicks(const std::string& kind);
    void scheduleBurst(HostedKind& hosted);
    void loadDueTimelines();
    void load(HostedKind& hosted);
    void present(HostedKind& hosted);
    void presentAll();
    void armAlarm();
    void watchContainer();
    void scheduleSave();
    void savePlacements();
    ColorScheme scheme() const;

    HostOptions options_;
    GObjectPtr<GApplication> application_;
    // The application's signals; the application may outlive the host.
    std::vector<SignalConnection> applicationSignals_;
    SourceHandle terminateSource_;
    SourceHandle interruptSource_;
    SystemClock clock_;
    // What the desktop offers the windows; it outlives them.
    std::unique_ptr<DesktopBackend> desktop_;
    std::vector<std::unique_ptr<HostedKind>> kinds_;
    std::unique_ptr<CardRenderer> renderer_;
    std::unique_ptr<MainLoopReloadChannel> reloadChannel_;
    std::unique_ptr<IntentWorker> worker_;
    std::unique_ptr<WallClockAlarm> alarm_;
    std::unique_ptr<ContainerMonitor> monitor_;
    std::unique_ptr<DesktopAppearance> appearance_;
    std::optional<HeadlessOutput> output_;
    std::optional<PlacementStore> store_;
    GioUrlOpener urlOpener_;
    SourceHandle saveSource_;
    bool started_ = false;
};

} // namespace tandry
