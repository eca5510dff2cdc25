#include "platform/host/WidgetHost.h"

#include "platform/host/CoalescingTask.h"
#include "platform/host/ContainerMonitor.h"
#include "platform/host/DesktopAppearance.h"
#include "platform/host/DesktopBackendChoice.h"
#include "platform/host/GalleryWindow.h"
#include "platform/host/HostBus.h"
#include "platform/host/HostedKind.h"
#include "platform/host/BusActionQueue.h"
#include "platform/host/IntentWorker.h"
#include "platform/host/MainLoopWatch.h"
#include "platform/host/MainLoopReloadChannel.h"
#include "platform/host/PlacementPlan.h"
#include "platform/host/PlainDesktopBackend.h"
#include "platform/host/RendererChoice.h"
#include "platform/host/TimelineScheduler.h"
#include "platform/host/WallClockAlarm.h"
#include "platform/host/WidgetWindow.h"
#include "platform/log/JournalLog.h"
#include "widget/app/TandryWidgetBundle.h"
#include "widget/store/AppGroup.h"
#include "widget/store/PendingQueue.h"
#include "widget/strings/WidgetStrings.h"
#include "widget/timeline/WidgetKind.h"

#include <algorithm>
#include <glib-unix.h>
#include <gtk/gtk.h>
#include <malloc.h>

#undef G_LOG_DOMAIN
#define G_LOG_DOMAIN "tandry-widget-host"

namespace tandry {
namespace {

// Reload requests that arrive within this time of the first are answered by
// one load: a tick's own request and the file monitor's report of its record
// typically land a few milliseconds apart. A tick does not wait for it: its
// card is redrawn from the current entry as soon as the parked ticks are
// read, which a stream of ticks asks for at most once in this time too.
constexpr unsigned burstMilliseconds = 40;

// The longest the main loop spends at once on ticks and reloads from the bus,
// an eighth of a frame, so that a flood of them leaves it time to answer and
// draw.
constexpr std::chrono::microseconds busActionSlice{2000};

// A queue read of this many parked ticks leaves megabytes freed in the
// allocator's arenas of the threads that read it; they are handed back to
// the system once the host is idle again.
constexpr std::size_t largeQueue = 10'000;

// How long the host waits after its last load or large read before it hands
// freed memory back: "idle" is this long without either.
constexpr guint trimDelayMilliseconds = 1000;

} // namespace

struct WidgetHost::Signals {
    static void startup(GApplication*, gpointer host) { static_cast<WidgetHost*>(host)->startup(); }
    static void activate(GApplication*, gpointer host) {
        static_cast<WidgetHost*>(host)->activate();
    }
    static void shutdown(GApplication*, gpointer host) {
        static_cast<WidgetHost*>(host)->shutdown();
    }

    static void reloadAction(GSimpleAction*, GVariant* parameter, gpointer host) {
        static_cast<WidgetHost*>(host)->reloadRequested(g_variant_get_string(parameter, nullptr));
    }

    static void reloadAllAction(GSimpleAction*, GVariant*, gpointer host) {
        static_cast<WidgetHost*>(host)->requestReloadOfAll();
    }

    static void tickAction(GSimpleAction*, GVariant* parameter, gpointer host) {
        static_cast<WidgetHost*>(host)->tickRequested(g_variant_get_string(parameter, nullptr));
    }

    static gboolean burstEnded(gpointer data) {
        auto* hosted = static_cast<HostedKind*>(data);
        hosted->burstSource.release();
        if (hosted->scheduler.isLoadDue()) {
            hosted->host.load(*hosted);
        }
        return G_SOURCE_REMOVE;
    }

    static void lostBus(GDBusConnection*, gboolean, GError*, gpointer host) {
        g_message("The session bus is gone; the host quits");
        quit(host);
    }

    static gboolean trimMemory(gpointer host) {
        static_cast<WidgetHost*>(host)->trimSource_.release();
        const std::int64_t started = g_get_monotonic_time();
        malloc_trim(0);
        g_debug("memory handed back in %.1f ms",
                static_cast<double>(g_get_monotonic_time() - started) / 1000.0);
        return G_SOURCE_REMOVE;
    }

    // Monitors came or went, or one changed its scale. The toolkit adds a
    // monitor to the list before it sets the monitor's geometry (a new one
    // is 0 by 0 here), so the cards follow once the main loop is idle.
    static void monitorsChanged(GListModel*, guint, guint, guint, gpointer data) {
        auto* host = static_cast<WidgetHost*>(data);
        if (!host->monitorsSource_.active()) {
            host->monitorsSource_ = SourceHandle(g_idle_add(&Signals::followMonitors, host));
        }
    }

    static gboolean followMonitors(gpointer host) {
        static_cast<WidgetHost*>(host)->monitorsSource_.release();
        static_cast<WidgetHost*>(host)->keepWidgetsOnScreen();
        return G_SOURCE_REMOVE;
    }

    static gboolean quit(gpointer host) {
        g_application_quit(static_cast<WidgetHost*>(host)->application_.get());
        return G_SOURCE_CONTINUE;
    }
};

WidgetHost::WidgetHost(HostOptions options, HostEnvironment environment)
    : options_(std::move(options)), environment_(std::move(environment)) {}

WidgetHost::~WidgetHost() {
    if (!application_) {
        return;
    }
    // The application may outlive the host (GIO keeps references of its
    // own); its actions must not reach the host then, nor its signals, whose
    // handlers leave with applicationSignals_.
    GApplication* application = application_.get();
    for (const char* action : {reloadActionName, reloadAllActionName, tickActionName}) {
        g_action_map_remove_action(G_ACTION_MAP(application), action);
    }
}

int WidgetHost::run(const char* programName) {
    g_set_prgname("tandry-widget-host");
    // The toolkit would set the locale from the environment again when it
    // starts, undoing what adoptUserLanguage chose for the C locale (under
    // which gettext ignores LANGUAGE and the cards would show message keys).
    gtk_disable_setlocale();
    preferDesktopWindowSystems();
    if (!options_.headless) {
        const auto changed = chooseLeanRenderer(environment_.variables, gtk_get_minor_version());
        applyToProcess(changed);
        urlOpener_.restoreForHandlers(changed);
    }
    // Without windows no display is needed, so a plain GIO application will do.
    application_.reset(
        options_.headless
            ? g_application_new(hostApplicationId, G_APPLICATION_DEFAULT_FLAGS)
            : G_APPLICATION(gtk_application_new(hostApplicationId, G_APPLICATION_DEFAULT_FLAGS)));
    GApplication* application = application_.get();
    for (const auto& [signal, handler] : {
             std::pair{"startup", G_CALLBACK(&Signals::startup)},
             std::pair{"activate", G_CALLBACK(&Signals::activate)},
             std::pair{"shutdown", G_CALLBACK(&Signals::shutdown)},
         }) {
        applicationSignals_.push_back(
            SignalConnection::connect(application, signal, handler, this));
    }

    const GActionEntry actions[] = {
        {reloadActionName, &Signals::reloadAction, "s", nullptr, nullptr, {}},
        {reloadAllActionName, &Signals::reloadAllAction, nullptr, nullptr, nullptr, {}},
        {tickActionName, &Signals::tickAction, "s", nullptr, nullptr, {}},
    };
    g_action_map_add_action_entries(G_ACTION_MAP(application), actions, G_N_ELEMENTS(actions),
                                    this);

    // Each ends the host in order: places saved, ticks under way parked.
    terminateSource_ = SourceHandle(g_unix_signal_add(SIGTERM, &Signals::quit, this));
    interruptSource_ = SourceHandle(g_unix_signal_add(SIGINT, &Signals::quit, this));
    hangUpSource_ = SourceHandle(g_unix_signal_add(SIGHUP, &Signals::quit, this));

    std::vector<char*> arguments{const_cast<char*>(programName)};
    std::string service = "--gapplication-service";
    if (options_.service) {
        arguments.push_back(service.data());
    }
    arguments.push_back(nullptr);
    return g_application_run(application, static_cast<int>(arguments.size() - 1), arguments.data());
}

void WidgetHost::startup() {
    // A second start of the host only activates the first (GApplication
    // forwards it), so everything below happens once per session.
    started_ = true;
    if (environment_.eventsFile) {
        events_ = HostEvents(*environment_.eventsFile);
        loopWatch_ = std::make_unique<MainLoopWatch>(
            std::chrono::milliseconds(1),
            [this](std::chrono::microseconds spent, std::chrono::microseconds running) {
                events_.stalled(spent.count(), running.count());
            });
    }
    renderer_ = std::make_unique<CardRenderer>(environment_.dateLocaleId);
    // Headless output opens no display; its cards are on no desktop.
    desktop_ = options_.headless ? std::make_unique<PlainDesktopBackend>()
                                 : chooseDesktopBackend(gdk_display_get_default());
    // A lost session bus would end the process at once, places unsaved.
    if (GDBusConnection* bus = g_application_get_dbus_connection(application_.get())) {
        g_dbus_connection_set_exit_on_close(bus, FALSE);
        g_signal_connect(bus, "closed", G_CALLBACK(&Signals::lostBus), this);
    }
    // The parked ticks, read off the main loop however many ask at once.
    parkedTicks_ = std::make_unique<CoalescingTask>(
        [this, shared = environment_.container]() -> std::function<void()> {
            const std::int64_t started = g_get_monotonic_time();
            auto container = shared.existing();
            auto queue =
                container ? loadPendingCompletions(*container) : std::vector<PendingCompletion>{};
            events_.queueRead(queue.size());
            g_debug("parked ticks read: %zu in %.1f ms", queue.size(),
                    static_cast<double>(g_get_monotonic_time() - started) / 1000.0);
            const bool large = queue.size() >= largeQueue;
            // Collected here, so that the main loop only looks its tasks up.
            return [this, ticked = tickedTasks(queue), started, large]() mutable {
                overlayParkedTicks(std::move(ticked), started);
                if (large) {
                    trimMemoryWhenIdle();
                }
            };
        },
        std::chrono::milliseconds(burstMilliseconds));
    // The intents' requests: each follows a finished tick.
    reloadChannel_ = std::make_unique<MainLoopReloadChannel>([this](const std::string& kind) {
        showParkedTicks(kind);
        requestReload(kind);
    });
    worker_ = std::make_unique<IntentWorker>(
        IntentServices{clock_, widgetLog(), *reloadChannel_, environment_.container.path});
    if (GDBusConnection* bus = g_application_get_dbus_connection(application_.get())) {
        busActions_ = std::make_unique<BusActionQueue>(
            bus,
            [this](const std::string& action, const std::string& parameter) {
                if (action == tickActionName) {
                    tickRequested(parameter);
                } else {
                    reloadRequested(parameter);
                }
            },
            busActionSlice);
    }
    if (options_.output) {
        output_.emplace(*options_.output, options_.outputScale);
    }
    store_ = environment_.placements;

    for (const TandryReadyWidget& widget : TandryWidgetBundle{}.body()) {
        auto hosted = std::make_unique<HostedKind>(widget.body(), clock_, *this);
        // The load owns what it reads with: the host may be gone before it ends.
        hosted->loader = std::make_unique<CoalescingTask>(
            [this, kind = hosted.get(), provider = hosted->configuration.provider,
             container = environment_.container.path,
             clock = SystemClock()]() -> std::function<void()> {
                const std::int64_t started = g_get_monotonic_time();
                std::optional<Timeline> loaded;
                provider(clock, container).getTimeline({}, [&](Timeline timeline) {
                    loaded = std::move(timeline);
                });
                return [this, kind, started, loaded = std::move(loaded)] {
                    if (loaded) {
                        timelineLoaded(*kind, *loaded, started);
                    }
                    trimMemoryWhenIdle();
                };
            });
        kinds_.push_back(std::move(hosted));
    }
    placeWidgets();
    if (!options_.headless) {
        monitorsSignal_ = SignalConnection::connect(
            gdk_display_get_monitors(gdk_display_get_default()), "items-changed",
            G_CALLBACK(&Signals::monitorsChanged), this);
    }

    monitor_ = std::make_unique<ContainerMonitor>([this] { requestReloadOfAll(); });
    auto alarm = WallClockAlarm::create([this](WallClockAlarm::Reason reason) {
        if (reason == WallClockAlarm::Reason::clockChanged) {
            for (auto& hosted : kinds_) {
                if (hosted->scheduler.clockChanged()) {
                    scheduleBurst(*hosted);
                }
            }
            return;
        }
        loadDueTimelines();
    });
    if (alarm) {
        alarm_ = std::move(*alarm);
    } else {
        // Requests and changes in the container still load; the card just
        // does not turn over at its snapshot's end on its own.
        g_warning("Cards will not reload when their snapshot expires: %s",
                  alarm.error().message.c_str());
    }
    if (options_.scheme == SchemeChoice::automatic) {
        appearance_ = std::make_unique<DesktopAppearance>(
            g_application_get_dbus_connection(application_.get()),
            [this](ColorScheme) { presentAll(); });
    }
    followSchemeInWindows();
    if (options_.headless) {
        // Nothing else keeps a GIO application without windows running.
        g_application_hold(application_.get());
    }
    loadDueTimelines();
}

void WidgetHost::activate() {
    // A second start (from the menu, or by the session bus) finds the widgets
    // where they are: presenting them would raise them above the windows they
    // stay below, and take the focus. It opens the gallery instead, where
    // the user adds a card.
    if (activations_++ > 0 && !options_.headless) {
        openGallery();
    }
}

void WidgetHost::shutdown() {
    if (!started_) {
        return;
    }
    if (GDBusConnection* bus = g_application_get_dbus_connection(application_.get())) {
        g_signal_handlers_disconnect_by_data(bus, this);
    }
    trimSource_.reset();
    monitorsSignal_.reset();
    monitorsSource_.reset();
    savePlacements();
    gallery_.reset();
    retireSource_.reset();
    retiredGallery_.reset();
    retiredCards_.clear();
    stopping_ = true;
    // Ticks still queued from the bus are run, then the intents
    // still running finish, as they report to the channel;
    // then the channel goes, and their requests still queued are dropped.
    busActions_.reset();
    worker_.reset();
    parkedTicks_.reset();
    reloadChannel_.reset();
    for (auto& hosted : kinds_) {
        hosted->loader.reset();
        hosted->burstSource.reset();
        hosted->windows.clear();
    }
    appearance_.reset();
    alarm_.reset();
    monitor_.reset();
}

void WidgetHost::placeWidgets() {
    std::vector<OfferedKind> offered;
    for (const auto& hosted : kinds_) {
        offered.push_back({hosted->configuration.kind, offeredFamilies(hosted->configuration)});
    }
    std::vector<Placement> saved = store_ ? store_->load() : std::vector<Placement>{};
    if (options_.families.empty() && saved.size() > maxRestoredWidgets) {
        g_warning("Restoring the first %zu of %zu saved widgets", maxRestoredWidgets, saved.size());
    }
    const std::vector<WorkArea> workAreas = desktop_->workAreas();
    const std::vector<PlacementPlan> plans =
        planPlacements(offered, {.families = options_.families,
                                 .headless = options_.headless,
                                 .saved = std::move(saved),
                                 .workAreas = workAreas});
    // The user removed every card last time: none comes back, and the
    // gallery offers them.
    const bool noneLeft =
        !options_.headless && options_.families.empty() && store_ && store_->listsNoWidget();
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
        HostedKind& hosted = *kinds_[i];
        hosted.outputFamilies = plans[i].pictures;
        for (const Placement& placement : plans[i].windows) {
            if (!noneLeft) {
                hosted.windows.push_back(openCard(hosted, placement, workAreas));
            }
        }
    }
    if (noneLeft) {
        openGallery();
    }
    savePlacements();
}

void WidgetHost::tickRequested(const std::string& taskId) {
    if (worker_) {
        worker_->perform(TickReadyTaskIntent(taskId));
    }
}

// `tandry-widget tick` parks its tick and then asks for this reload, so a
// tick from another process shows at once as well, ahead of the load.
void WidgetHost::reloadRequested(const std::string& kind) {
    if (stopping_) {
        return;
    }
    showParkedTicks(kind);
    requestReload(kind);
}

void WidgetHost::requestReload(const std::string& kind) {
    for (auto& hosted : kinds_) {
        if (hosted->configuration.kind == kind && hosted->scheduler.requestReload()) {
            scheduleBurst(*hosted);
        }
    }
}

void WidgetHost::requestReloadOfAll() {
    for (auto& hosted : kinds_) {
        if (hosted->scheduler.requestReload()) {
            scheduleBurst(*hosted);
        }
    }
}

void WidgetHost::showParkedTicks(const std::string& kind) {
    // The tick's record is on disk by now; the queue is read off the main
    // loop, once for every request that arrives meanwhile.
    ticksToShow_.insert(kind);
    parkedTicks_->request();
}

void WidgetHost::overlayParkedTicks(TickedTasks ticked, std::int64_t readAt) {
    // Overlaying the queue on the entry shown, by the store's own rule, draws
    // what the next load will draw from the same snapshot; ticks already
    // overlaid remove nothing twice. An entry read after this queue knows
    // better, and an expired snapshot waits for the load, which shows it
    // stale. A load that read before this queue arrives later still gets it
    // (timelineLoaded), so a tick shown never comes back.
    if (readAt > latestQueueReadAt_) {
        latestTicked_ = std::move(ticked);
        latestQueueReadAt_ = readAt;
    }
    for (auto& hosted : kinds_) {
        ReadySnapshot* snapshot = hosted->entry ? hosted->entry->state.snapshot() : nullptr;
        if (!ticksToShow_.contains(hosted->configuration.kind) || snapshot == nullptr ||
            hosted->entryReadAt > latestQueueReadAt_ || clock_.now() >= snapshot->validUntil) {
            continue;
        }
        const std::int64_t started = g_get_monotonic_time();
        ReadySnapshot overlaid = snapshot->applyingTicked(latestTicked_);
        if (overlaid == *snapshot) {
            continue;
        }
        *snapshot = std::move(overlaid);
        present(*hosted);
        events_.ticksShown(hosted->configuration.kind);
        g_debug("tick shown on %s ahead of load %d in %.1f ms", hosted->configuration.kind.c_str(),
                hosted->scheduler.loadCount() + 1,
                static_cast<double>(g_get_monotonic_time() - started) / 1000.0);
    }
    if (!parkedTicks_->busy()) {
        ticksToShow_.clear();
    }
}

void WidgetHost::scheduleBurst(HostedKind& hosted) {
    if (!hosted.burstSource.active()) {
        hosted.burstSource =
            SourceHandle(g_timeout_add(burstMilliseconds, &Signals::burstEnded, &hosted));
    }
}

void WidgetHost::loadDueTimelines() {
    for (auto& hosted : kinds_) {
        if (hosted->scheduler.isLoadDue()) {
            load(*hosted);
        }
    }
}

void WidgetHost::load(HostedKind& hosted) {
    // The load reads the container off the main loop; every request made so
    // far is answered by it.
    hosted.scheduler.loadStarted();
    hosted.loader->request();
}

void WidgetHost::timelineLoaded(HostedKind& hosted, const Timeline& timeline,
                                std::int64_t started) {
    if (!timeline.entries.empty()) {
        hosted.entry = timeline.entries.front();
        hosted.entryReadAt = started;
        // Parked ticks read after this load began are newer than its entry.
        ReadySnapshot* snapshot = hosted.entry->state.snapshot();
        if (snapshot != nullptr && latestQueueReadAt_ > started &&
            clock_.now() < snapshot->validUntil) {
            *snapshot = snapshot->applyingTicked(latestTicked_);
        }
    }
    // A queue older than every entry has nothing more to tell.
    if (std::ranges::all_of(
            kinds_, [&](const auto& kind) { return kind->entryReadAt >= latestQueueReadAt_; })) {
        latestTicked_ = {};
    }
    hosted.scheduler.timelineLoaded(timeline.policy);
    present(hosted);
    armAlarm();
    watchContainer();
    events_.drawn(hosted.configuration.kind, hosted.scheduler.loadCount());
    g_debug("load %d of %s drawn in %.1f ms", hosted.scheduler.loadCount(),
            hosted.configuration.kind.c_str(),
            static_cast<double>(g_get_monotonic_time() - started) / 1000.0);
}

void WidgetHost::present(HostedKind& hosted) {
    if (!hosted.entry) {
        return;
    }
    const ColorScheme current = scheme();
    for (auto& window : hosted.windows) {
        window->show(hosted.configuration, *hosted.entry, schemeOf(*window), *renderer_);
    }
    if (!output_) {
        return;
    }
    for (WidgetFamily family : hosted.outputFamilies) {
        const auto card = renderer_->render(hosted.configuration, *hosted.entry, family, current,
                                            output_->scale());
        if (auto written = output_->write(hosted.configuration.kind, family, current, card);
            !written) {
            g_warning("Could not write the card: %s", written.error().message.c_str());
        }
    }
}

void WidgetHost::presentAll() {
    followSchemeInWindows();
    for (auto& hosted : kinds_) {
        present(*hosted);
    }
}

void WidgetHost::armAlarm() {
    std::optional<Instant> earliest;
    for (auto& hosted : kinds_) {
        if (auto at = hosted->scheduler.nextPolicyReload(); at && (!earliest || *at < *earliest)) {
            earliest = at;
        }
    }
    if (alarm_) {
        alarm_->set(earliest);
    }
}

void WidgetHost::watchContainer() {
    monitor_->watch(environment_.container.path);
}

void WidgetHost::trimMemoryWhenIdle() {
    // A trim walks the whole heap and can take 10 ms, and pages it hands
    // back are faulted in again by the next read: under a burst of loads it
    // waits until the loads have stopped for a while.
    trimSource_ = SourceHandle(g_timeout_add_full(G_PRIORITY_LOW, trimDelayMilliseconds,
                                                  &Signals::trimMemory, this, nullptr));
}

void WidgetHost::placed(WidgetWindow& window) {
    // A card dropped partly off the screen goes back whole, and is saved
    // where it lands.
    const Placement kept = keptOnScreen(window.placement(), desktop_->workAreas());
    if (kept.x && kept.y) {
        window.moveTo({*kept.x, *kept.y});
        events_.placed(*kept.x, *kept.y);
    }
    savePlacements();
}

void WidgetHost::keepWidgetsOnScreen() {
    const std::vector<WorkArea> workAreas = desktop_->workAreas();
    for (auto& hosted : kinds_) {
        for (auto& window : hosted->windows) {
            window->keepOnScreen(workAreas);
        }
    }
}

void WidgetHost::savePlacements() {
    if (!store_ || options_.headless) {
        return;
    }
    // The places the user chose, also on a monitor that is gone for now:
    // the card goes back there when it returns.
    std::vector<Placement> placements;
    for (auto& hosted : kinds_) {
        for (auto& window : hosted->windows) {
            placements.push_back(window->placement());
        }
    }
    if (auto saved = store_->save(placements); !saved) {
        g_warning("Could not save the widgets' places: %s", saved.error().message.c_str());
    }
}

ColorScheme WidgetHost::scheme() const {
    switch (options_.scheme) {
    case SchemeChoice::light:
        return ColorScheme::light;
    case SchemeChoice::dark:
        return ColorScheme::dark;
    case SchemeChoice::automatic:
        return appearance_ ? appearance_->scheme() : ColorScheme::light;
    }
    return ColorScheme::light;
}

} // namespace tandry
