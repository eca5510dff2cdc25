#pragma once

#include "platform/GLibOwnership.h"
#include "platform/SourceHandle.h"
#include "platform/host/Autostart.h"
#include "platform/host/GioUrlOpener.h"
#include "platform/host/HeadlessOutput.h"
#include "platform/host/HostEnvironment.h"
#include "platform/host/HostEvents.h"
#include "platform/host/HostOptions.h"
#include "platform/host/PlacementStore.h"
#include "platform/host/WorkArea.h"
#include "platform/render/CardRenderer.h"
#include "widget/store/Uuid.h"
#include "widget/timeline/Clock.h"
#include "widget/timeline/Timeline.h"

#include <cstdint>
#include <memory>
#include <set>
#include <optional>
#include <string>
#include <vector>

typedef struct _GApplication GApplication;

namespace tandry {

class BusActionQueue;
class CoalescingTask;
class ContainerMonitor;
class DesktopAppearance;
class DesktopBackend;
class GalleryWindow;
class IntentWorker;
class MainLoopReloadChannel;
class MainLoopWatch;
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
    WidgetHost(HostOptions options, HostEnvironment environment);
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

    // The cards the user adds and removes (WidgetHostCards.cpp).
    // A window for `placement` of `hosted`, with the card's menu.
    std::unique_ptr<WidgetWindow> openCard(HostedKind& hosted, Placement placement,
                                           const std::vector<WorkArea>& workAreas);
    // Adds a card of `family` at a free place on the monitor under the
    // pointer, and saves the places at once.
    void addCard(HostedKind& hosted, WidgetFamily family);
    // Takes `window`'s card away (the window goes once the toolkit is done
    // with it) and saves the places; with no card left and no gallery open,
    // the host quits.
    void removeCard(const WidgetWindow* window);
    void chooseAppearance(const WidgetWindow* window, CardAppearance appearance);
    void openGallery();
    // Closes the gallery; with no card on the desktop, the host quits.
    void closeGallery();
    // Destroys the retired windows once the main loop is idle.
    void retireSoon();
    StartAtLogin startAtLogin() const;
    void setStartAtLogin(StartAtLogin choice);
    // The scheme `window`'s card is drawn in now.
    ColorScheme schemeOf(const WidgetWindow& window) const;
    // Draws the menus and the gallery light or dark, as the host's scheme is.
    void followSchemeInWindows();
    // The number of cards on the desktop.
    std::size_t cardCount() const;
    // A tick or a reload asked for by another process, over the bus.
    void tickRequested(const std::string& taskId);
    void reloadRequested(const std::string& kind);
    void requestReload(const std::string& kind);
    void requestReloadOfAll();
    // Redraws the widgets of `kind` with the parked ticks overlaid, once
    // the queue is read.
    void showParkedTicks(const std::string& kind);
    // `readAt`: when the read of the queue that ticked `ticked` began
    // (monotonic microseconds).
    void overlayParkedTicks(TickedTasks ticked, std::int64_t readAt);
    void scheduleBurst(HostedKind& hosted);
    void loadDueTimelines();
    void load(HostedKind& hosted);
    void timelineLoaded(HostedKind& hosted, const Timeline& timeline, std::int64_t started);
    void present(HostedKind& hosted);
    void presentAll();
    void armAlarm();
    void watchContainer();
    // The user put `window` in a new place.
    void placed(WidgetWindow& window);
    // Shows every card inside the work areas there are now.
    void keepWidgetsOnScreen();
    // Hands memory that large reads freed back to the system, once idle.
    void trimMemoryWhenIdle();
    void savePlacements();
    ColorScheme scheme() const;

    HostOptions options_;
    HostEnvironment environment_;
    GObjectPtr<GApplication> application_;
    // The application's signals; the application may outlive the host.
    std::vector<SignalConnection> applicationSignals_;
    SourceHandle terminateSource_;
    SourceHandle interruptSource_;
    SourceHandle hangUpSource_;
    SystemClock clock_;
    // What the desktop offers the windows; it outlives them.
    std::unique_ptr<DesktopBackend> desktop_;
    std::vector<std::unique_ptr<HostedKind>> kinds_;
    std::unique_ptr<CardRenderer> renderer_;
    std::unique_ptr<CoalescingTask> parkedTicks_;
    // The kinds whose cards wait for the parked ticks being read.
    std::set<std::string> ticksToShow_;
    // The tasks that the parked ticks read last name, until every entry was
    // loaded after them.
    TickedTasks latestTicked_;
    std::int64_t latestQueueReadAt_ = 0;
    std::unique_ptr<MainLoopReloadChannel> reloadChannel_;
    std::unique_ptr<IntentWorker> worker_;
    std::unique_ptr<BusActionQueue> busActions_;
    std::unique_ptr<WallClockAlarm> alarm_;
    std::unique_ptr<ContainerMonitor> monitor_;
    std::unique_ptr<DesktopAppearance> appearance_;
    std::optional<HeadlessOutput> output_;
    std::optional<PlacementStore> store_;
    GioUrlOpener urlOpener_;
    HostEvents events_;
    // With the events recorded: the main loop's longer iterations.
    std::unique_ptr<MainLoopWatch> loopWatch_;
    SignalConnection monitorsSignal_;
    SourceHandle monitorsSource_;
    SourceHandle trimSource_;
    std::unique_ptr<GalleryWindow> gallery_;
    // Windows and galleries taken away, kept until the main loop is idle:
    // the toolkit may still be running the menu item or button that asked.
    std::vector<std::unique_ptr<WidgetWindow>> retiredCards_;
    std::unique_ptr<GalleryWindow> retiredGallery_;
    SourceHandle retireSource_;
    // Activations so far: the first is the start itself, later ones are the
    // user starting the application again.
    unsigned activations_ = 0;
    bool started_ = false;
    // From the start of the shutdown on, reloads are no longer begun.
    bool stopping_ = false;
};

} // namespace tandry
