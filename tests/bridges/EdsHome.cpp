#include "tests/bridges/EdsHome.h"

#include <ctime>
#include <libecal/libecal.h>

namespace tandry::testing {
namespace {

std::string formatted(std::chrono::sys_seconds instant, const char* format) {
    const std::time_t when = std::chrono::system_clock::to_time_t(instant);
    std::tm fields{};
    gmtime_r(&when, &fields);
    char text[32];
    std::strftime(text, sizeof text, format, &fields);
    return text;
}

// Fails the test with the error's message; true when there was none.
bool succeeded(gboolean done, GError* error, const std::string& what) {
    EXPECT_TRUE(done) << what << ": " << (error ? error->message : "no error");
    if (error) {
        g_error_free(error);
    }
    return done;
}

} // namespace

struct EdsHome::Connection {
    ESourceRegistry* registry = nullptr;
    std::map<std::string, ECalClient*> clients;

    ECalClient* client(const std::string& sourceUid) {
        if (auto found = clients.find(sourceUid); found != clients.end()) {
            return found->second;
        }
        ESource* source = e_source_registry_ref_source(registry, sourceUid.c_str());
        EXPECT_NE(source, nullptr) << "no source " << sourceUid;
        if (source == nullptr) {
            return nullptr;
        }
        // Without waiting to be online: a local list never says it is.
        GError* error = nullptr;
        auto* client = E_CAL_CLIENT(e_cal_client_connect_sync(
            source, E_CAL_CLIENT_SOURCE_TYPE_TASKS, static_cast<guint32>(-1), nullptr, &error));
        g_object_unref(source);
        succeeded(client != nullptr, error, "connecting to " + sourceUid);
        clients[sourceUid] = client;
        return client;
    }
};

EdsHome::EdsHome() : eds_(std::make_unique<Connection>()) {
    origin_ = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    GError* error = nullptr;
    eds_->registry = e_source_registry_new_sync(nullptr, &error);
    succeeded(eds_->registry != nullptr, error, "reaching the source registry");
}

EdsHome::~EdsHome() {
    for (auto& [uid, client] : eds_->clients) {
        if (client != nullptr) {
            g_object_unref(client);
        }
    }
    if (eds_->registry != nullptr) {
        g_object_unref(eds_->registry);
    }
}

std::string EdsHome::createList(const std::string& displayName, const std::string& caldavUrl) {
    GError* error = nullptr;
    ESource* source = e_source_new(nullptr, nullptr, &error);
    e_source_set_display_name(source, displayName.c_str());
    auto* list = static_cast<ESourceBackend*>(
        e_source_get_extension(source, E_SOURCE_EXTENSION_TASK_LIST));
    if (caldavUrl.empty()) {
        e_source_set_parent(source, "local-stub");
        e_source_backend_set_backend_name(list, "local");
    } else {
        e_source_set_parent(source, "caldav-stub");
        e_source_backend_set_backend_name(list, "caldav");
        auto* webdav = static_cast<ESourceWebdav*>(
            e_source_get_extension(source, E_SOURCE_EXTENSION_WEBDAV_BACKEND));
        GUri* uri = g_uri_parse(caldavUrl.c_str(), G_URI_FLAGS_NONE, nullptr);
        e_source_webdav_set_uri(webdav, uri);
        g_uri_unref(uri);
        auto* offline = static_cast<ESourceOffline*>(
            e_source_get_extension(source, E_SOURCE_EXTENSION_OFFLINE));
        e_source_offline_set_stay_synchronized(offline, TRUE);
    }
    const bool committed = succeeded(
        e_source_registry_commit_source_sync(eds_->registry, source, nullptr, &error), error,
        "creating the list " + displayName);
    std::string uid = committed ? e_source_get_uid(source) : "";
    g_object_unref(source);
    return uid;
}

void EdsHome::removeList(const std::string& sourceUid) {
    ESource* source = e_source_registry_ref_source(eds_->registry, sourceUid.c_str());
    ASSERT_NE(source, nullptr);
    GError* error = nullptr;
    succeeded(e_source_remove_sync(source, nullptr, &error), error, "removing " + sourceUid);
    g_object_unref(source);
}

void EdsHome::addTask(const std::string& sourceUid, const std::string& properties) {
    ECalClient* client = eds_->client(sourceUid);
    ASSERT_NE(client, nullptr);
    const std::string text = "BEGIN:VTODO\r\n" + properties + "\r\nEND:VTODO\r\n";
    ICalComponent* component = i_cal_component_new_from_string(text.c_str());
    ASSERT_NE(component, nullptr) << text;
    GError* error = nullptr;
    gchar* uid = nullptr;
    succeeded(e_cal_client_create_object_sync(client, component, E_CAL_OPERATION_FLAG_NONE, &uid,
                                              nullptr, &error),
              error, "adding " + properties);
    g_free(uid);
    g_object_unref(component);
}

void EdsHome::removeTask(const std::string& sourceUid, const std::string& uid) {
    GError* error = nullptr;
    succeeded(e_cal_client_remove_object_sync(eds_->client(sourceUid), uid.c_str(), nullptr,
                                              E_CAL_OBJ_MOD_ALL, E_CAL_OPERATION_FLAG_NONE,
                                              nullptr, &error),
              error, "removing " + uid);
}

std::string EdsHome::component(const std::string& sourceUid, const std::string& uid) {
    ICalComponent* found = nullptr;
    GError* error = nullptr;
    if (!e_cal_client_get_object_sync(eds_->client(sourceUid), uid.c_str(), nullptr, &found,
                                      nullptr, &error)) {
        g_clear_error(&error);
        return {};
    }
    gchar* text = i_cal_component_as_ical_string(found);
    std::string copy = text;
    g_free(text);
    g_object_unref(found);
    return copy;
}

std::string EdsHome::utcText(std::chrono::seconds offset) const {
    return formatted(origin_ + offset, "%Y%m%dT%H%M%SZ");
}

std::string EdsHome::cardText(std::chrono::seconds offset) const {
    return formatted(origin_ + offset, "%Y-%m-%dT%H:%M:%SZ");
}

std::string EdsHome::dateText(int days) const {
    return formatted(origin_ + std::chrono::days(days), "%Y%m%d");
}

} // namespace tandry::testing
