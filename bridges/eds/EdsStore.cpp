#include "bridges/eds/EdsStore.h"

#include "bridges/eds/ComponentDecoding.h"
#include "bridges/eds/TaskListChoice.h"
#include "bridges/eds/TaskListMapping.h"

#include <fmt/format.h>
#include <libecal/libecal.h>

namespace tandry {
namespace {

// A remote list (CalDAV) is given this long to come online before it is
// read from its offline copy; a local one is online at once.
constexpr guint32 remoteConnectSeconds = 5;
constexpr guint32 noWait = static_cast<guint32>(-1);
// The source registry's bus name in the 3.x series of the client library.
constexpr const char* registryBusName = "org.gnome.evolution.dataserver.Sources5";

std::string messageOf(const GErrorPtr& error) {
    return error ? std::string(error->message) : std::string("unknown error");
}

std::string displayNameOf(ESource* source) {
    const char* name = e_source_get_display_name(source);
    return name != nullptr ? name : e_source_get_uid(source);
}

bool isLocal(ESource* source) {
    auto* extension =
        static_cast<ESourceBackend*>(e_source_get_extension(source, E_SOURCE_EXTENSION_TASK_LIST));
    const char* backend = e_source_backend_get_backend_name(extension);
    return backend != nullptr && std::string_view(backend) == "local";
}

bool hasRecurrenceId(ICalComponent* component) {
    const GObjectPtr<ICalProperty> property(
        i_cal_component_get_first_property(component, I_CAL_RECURRENCEID_PROPERTY));
    return property != nullptr;
}

// Whether the session bus runs the source registry or can start it. The
// client library would wait for it in vain for half a minute.
Result<void> registryIsThere() {
    GErrorPtr error;
    const GObjectPtr<GDBusConnection> bus(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, out(error)));
    if (!bus) {
        return fail(fmt::format("cannot reach Evolution Data Server: no session bus: {}",
                                messageOf(error)));
    }
    for (const char* method : {"NameHasOwner", "ListActivatableNames"}) {
        const bool ask = std::string_view(method) == "NameHasOwner";
        const GVariantPtr reply(g_dbus_connection_call_sync(
            bus.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            method, ask ? g_variant_new("(s)", registryBusName) : nullptr, nullptr,
            G_DBUS_CALL_FLAGS_NONE, -1, nullptr, out(error)));
        if (!reply) {
            return fail(fmt::format("cannot reach Evolution Data Server: the session bus "
                                    "does not answer: {}",
                                    messageOf(error)));
        }
        if (ask) {
            gboolean owned = FALSE;
            g_variant_get(reply.get(), "(b)", &owned);
            if (owned) {
                return {};
            }
            continue;
        }
        const GVariantPtr names(g_variant_get_child_value(reply.get(), 0));
        gsize count = 0;
        const std::unique_ptr<const gchar*, ReleaseWith<g_free>> listed(
            g_variant_get_strv(names.get(), &count));
        for (gsize i = 0; i < count; ++i) {
            if (std::string_view(listed.get()[i]) == registryBusName) {
                return {};
            }
        }
    }
    return fail(fmt::format("cannot reach Evolution Data Server: nothing on the session bus "
                            "provides {} (is evolution-data-server installed?)",
                            registryBusName));
}

} // namespace

struct EdsStore::Callbacks {
    static void registryChanged(ESourceRegistry*, ESource* source, gpointer data) {
        if (e_source_has_extension(source, E_SOURCE_EXTENSION_TASK_LIST)) {
            static_cast<EdsStore*>(data)->notifyChanged();
        }
    }

    static void objectsChanged(ECalClientView*, gpointer, gpointer data) {
        static_cast<EdsStore*>(data)->notifyChanged();
    }
};

EdsStore::EdsStore(std::vector<std::string> lists, SnapshotOptions options, SystemLog& log)
    : listNames_(std::move(lists)), options_(std::move(options)), log_(log) {}

EdsStore::~EdsStore() {
    for (auto& [uid, list] : open_) {
        list.signals.clear();
        if (list.view) {
            e_cal_client_view_stop(list.view.get(), nullptr);
        }
    }
}

Result<void> EdsStore::reachRegistry() {
    if (!registry_) {
        if (auto there = registryIsThere(); !there) {
            return there;
        }
        GErrorPtr error;
        registry_.reset(e_source_registry_new_sync(nullptr, out(error)));
        if (!registry_) {
            return fail(fmt::format("cannot reach Evolution Data Server's source registry: {}",
                                    messageOf(error)));
        }
    }
    if (changed_ && registrySignals_.empty()) {
        for (const char* signal : {"source-added", "source-removed", "source-changed",
                                   "source-enabled", "source-disabled"}) {
            registrySignals_.push_back(SignalConnection::connect(
                registry_.get(), signal, G_CALLBACK(&Callbacks::registryChanged), this));
        }
    }
    return {};
}

Result<void> EdsStore::openChosenLists() {
    if (auto reached = reachRegistry(); !reached) {
        return reached;
    }
    auto chosen = chooseTaskLists(registry_.get(), listNames_);
    if (!chosen) {
        return std::unexpected(chosen.error());
    }

    // 1. Let go of the lists that are no longer chosen (removed, disabled).
    std::map<std::string, OpenList> kept;
    for (auto& source : *chosen) {
        const std::string uid = e_source_get_uid(source.get());
        if (auto found = open_.find(uid); found != open_.end()) {
            kept.insert(open_.extract(found));
        }
    }
    open_ = std::move(kept);

    // 2. Connect the new ones.
    for (auto& source : *chosen) {
        const std::string uid = e_source_get_uid(source.get());
        if (open_.contains(uid)) {
            continue;
        }
        GErrorPtr error;
        GObjectPtr<ECalClient> client(E_CAL_CLIENT(e_cal_client_connect_sync(
            source.get(), E_CAL_CLIENT_SOURCE_TYPE_TASKS,
            isLocal(source.get()) ? noWait : remoteConnectSeconds, nullptr, out(error))));
        if (!client) {
            return fail(fmt::format("cannot open the task list \"{}\": {}",
                                    displayNameOf(source.get()), messageOf(error)));
        }
        // A remote list fetches what changed on the server since its last visit.
        if (e_client_check_refresh_supported(E_CLIENT(client.get()))) {
            GErrorPtr refreshError;
            if (!e_client_refresh_sync(E_CLIENT(client.get()), nullptr, out(refreshError))) {
                log_.error(fmt::format("cannot refresh the task list \"{}\": {}",
                                       displayNameOf(source.get()), messageOf(refreshError)));
            }
        }
        OpenList& list = open_[uid];
        list.source = std::move(source);
        list.client = std::move(client);
        if (changed_) {
            watch(list);
        }
    }
    return {};
}

void EdsStore::watch(OpenList& list) {
    ECalClientView* view = nullptr;
    GErrorPtr error;
    if (!e_cal_client_get_view_sync(list.client.get(), "#t", &view, nullptr, out(error))) {
        log_.error(fmt::format("cannot follow the task list \"{}\": {}; its changes show at the "
                               "next validUntil",
                               displayNameOf(list.source.get()), messageOf(error)));
        return;
    }
    list.view.reset(view);
    for (const char* signal : {"objects-added", "objects-modified", "objects-removed"}) {
        list.signals.push_back(
            SignalConnection::connect(view, signal, G_CALLBACK(&Callbacks::objectsChanged), this));
    }
    // Only the changes matter: the components are read on each pass.
    e_cal_client_view_set_flags(view, E_CAL_CLIENT_VIEW_FLAGS_NONE, nullptr);
    e_cal_client_view_start(view, out(error));
    if (error) {
        log_.error(fmt::format("cannot follow the task list \"{}\": {}",
                               displayNameOf(list.source.get()), messageOf(error)));
    }
}

Result<std::vector<EdsTaskList>> EdsStore::readLists() {
    std::vector<EdsTaskList> lists;
    std::unordered_map<Uuid, Location> locations;
    for (auto it = open_.begin(); it != open_.end(); ++it) {
        const auto& [sourceUid, open] = *it;
        ECalClient* client = open.client.get();
        GSList* components = nullptr;
        GErrorPtr error;
        if (!e_cal_client_get_object_list_sync(client, "#t", &components, nullptr, out(error))) {
            // Connected afresh on the next pass: the data server may have restarted.
            const std::string name = displayNameOf(open.source.get());
            open_.erase(it);
            return fail(
                fmt::format("cannot read the task list \"{}\": {}", name, messageOf(error)));
        }
        const TimezoneLookup zoneOf = [client](const char* tzid) -> ICalTimezone* {
            ICalTimezone* zone = nullptr;
            if (e_cal_client_get_timezone_sync(client, tzid, &zone, nullptr, nullptr)) {
                return zone;
            }
            return i_cal_timezone_get_builtin_timezone(tzid);
        };
        EdsTaskList list{.sourceUid = sourceUid, .displayName = displayNameOf(open.source.get())};
        for (GSList* link = components; link != nullptr; link = link->next) {
            auto* component = static_cast<ICalComponent*>(link->data);
            // A changed occurrence of a recurring task stands for its series,
            // which is listed by itself.
            if (hasRecurrenceId(component)) {
                continue;
            }
            auto task = decodeTask(component, sourceUid, zoneOf);
            if (!task) {
                log_.error(fmt::format("left out: {}", task.error().message));
                continue;
            }
            locations.try_emplace(task->cardId, Location{sourceUid, task->uid});
            list.tasks.push_back(std::move(*task));
        }
        g_slist_free_full(components, g_object_unref);
        lists.push_back(std::move(list));
    }
    locations_ = std::move(locations);
    return lists;
}

Result<ReadySnapshot> EdsStore::readySnapshot(Instant now) {
    if (auto opened = openChosenLists(); !opened) {
        return std::unexpected(opened.error());
    }
    auto lists = readLists();
    if (!lists) {
        return std::unexpected(lists.error());
    }
    return mapTaskLists(*lists, now, options_);
}

Result<CompletionOutcome> EdsStore::complete(const Uuid& task) {
    // 1. Where the component lives: known since the last pass, else read now.
    if (!locations_.contains(task)) {
        if (auto opened = openChosenLists(); !opened) {
            return std::unexpected(opened.error());
        }
        if (auto read = readLists(); !read) {
            return std::unexpected(read.error());
        }
    }
    const auto location = locations_.find(task);
    if (location == locations_.end()) {
        return CompletionOutcome::unknownTask;
    }
    const auto list = open_.find(location->second.sourceUid);
    if (list == open_.end()) {
        // Its list went away with it.
        return CompletionOutcome::alreadyFinished;
    }
    ECalClient* client = list->second.client.get();
    const std::string& uid = location->second.uid;

    // 2. The component as it is now: gone or finished needs nothing more.
    ICalComponent* found = nullptr;
    GErrorPtr error;
    if (!e_cal_client_get_object_sync(client, uid.c_str(), nullptr, &found, nullptr, out(error))) {
        if (error &&
            g_error_matches(error.get(), E_CAL_CLIENT_ERROR, E_CAL_CLIENT_ERROR_OBJECT_NOT_FOUND)) {
            return CompletionOutcome::alreadyFinished;
        }
        return fail(fmt::format("cannot read task {} of \"{}\": {}", uid,
                                displayNameOf(list->second.source.get()), messageOf(error)));
    }
    const GObjectPtr<ICalComponent> component(found);
    const auto current = decodeTask(component.get(), list->first, [](const char*) {
        return static_cast<ICalTimezone*>(nullptr);
    });
    if (!current || current->progress != TaskProgress::open) {
        return CompletionOutcome::alreadyFinished;
    }

    // 3. Completed as the data server's own clients complete it, and written back.
    if (!e_cal_util_mark_task_complete_sync(component.get(), static_cast<time_t>(-1), client,
                                            nullptr, out(error))) {
        return fail(
            fmt::format("cannot mark \"{}\" complete: {}", current->summary, messageOf(error)));
    }
    if (!e_cal_client_modify_object_sync(client, component.get(), E_CAL_OBJ_MOD_ALL,
                                         E_CAL_OPERATION_FLAG_NONE, nullptr, out(error))) {
        return fail(fmt::format("cannot write \"{}\" back to \"{}\": {}", current->summary,
                                displayNameOf(list->second.source.get()), messageOf(error)));
    }
    return CompletionOutcome::completed;
}

void EdsStore::follow(std::function<void()> changed) {
    changed_ = std::move(changed);
    if (auto opened = openChosenLists(); !opened) {
        // The first pass reports it, and the daemon tries again.
        return;
    }
    for (auto& [uid, list] : open_) {
        if (!list.view) {
            watch(list);
        }
    }
}

void EdsStore::notifyChanged() {
    if (changed_) {
        changed_();
    }
}

} // namespace tandry
