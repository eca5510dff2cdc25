#include "tests/bridges/EdsHome.h"

#include "platform/GLibOwnership.h"

#include <ctime>
#include <libecal/libecal.h>

namespace tandry::testing {

std::string EdsHome::utc(std::chrono::seconds offset, const char* format) const {
    const std::time_t when = std::chrono::system_clock::to_time_t(origin_ + offset);
    std::tm fields{};
    gmtime_r(&when, &fields);
    char text[32];
    std::strftime(text, sizeof text, format, &fields);
    return text;
}

namespace {

// Fails the test, with what went wrong, unless `done`.
void expectDone(gboolean done, const GErrorPtr& error, const std::string& what) {
    EXPECT_TRUE(done) << what << ": " << (error ? error->message : "no error");
}

} // namespace

struct EdsHome::Connection {
    GObjectPtr<ESourceRegistry> registry;
    std::map<std::string, GObjectPtr<ECalClient>> clients;

    ECalClient* client(const std::string& sourceUid) {
        auto& client = clients[sourceUid];
        if (!client) {
            const GObjectPtr<ESource> source(
                e_source_registry_ref_source(registry.get(), sourceUid.c_str()));
            // Without waiting to be online: a local list never says it is.
            GErrorPtr error;
            client.reset(E_CAL_CLIENT(
                e_cal_client_connect_sync(source.get(), E_CAL_CLIENT_SOURCE_TYPE_TASKS,
                                          static_cast<guint32>(-1), nullptr, out(error))));
            expectDone(client != nullptr, error, "connecting to " + sourceUid);
        }
        return client.get();
    }
};

EdsHome::EdsHome() : eds_(std::make_unique<Connection>()) {
    origin_ = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    GErrorPtr error;
    eds_->registry.reset(e_source_registry_new_sync(nullptr, out(error)));
    expectDone(eds_->registry != nullptr, error, "reaching the source registry");
}

EdsHome::~EdsHome() = default;

std::string EdsHome::createList(const std::string& displayName, const std::string& caldavUrl) {
    const GObjectPtr<ESource> source(e_source_new(nullptr, nullptr, nullptr));
    e_source_set_display_name(source.get(), displayName.c_str());
    auto* list = static_cast<ESourceBackend*>(
        e_source_get_extension(source.get(), E_SOURCE_EXTENSION_TASK_LIST));
    e_source_set_parent(source.get(), caldavUrl.empty() ? "local-stub" : "caldav-stub");
    e_source_backend_set_backend_name(list, caldavUrl.empty() ? "local" : "caldav");
    if (!caldavUrl.empty()) {
        GUri* uri = g_uri_parse(caldavUrl.c_str(), G_URI_FLAGS_NONE, nullptr);
        e_source_webdav_set_uri(static_cast<ESourceWebdav*>(e_source_get_extension(
                                    source.get(), E_SOURCE_EXTENSION_WEBDAV_BACKEND)),
                                uri);
        g_uri_unref(uri);
    }
    GErrorPtr error;
    const bool committed = e_source_registry_commit_source_sync(eds_->registry.get(), source.get(),
                                                                nullptr, out(error));
    expectDone(committed, error, "creating the list " + displayName);
    return committed ? e_source_get_uid(source.get()) : "";
}

void EdsHome::removeList(const std::string& sourceUid) {
    const GObjectPtr<ESource> source(
        e_source_registry_ref_source(eds_->registry.get(), sourceUid.c_str()));
    GErrorPtr error;
    expectDone(e_source_remove_sync(source.get(), nullptr, out(error)), error,
               "removing " + sourceUid);
}

void EdsHome::addTask(const std::string& sourceUid, const std::string& properties) {
    const std::string text = "BEGIN:VTODO\r\n" + properties + "\r\nEND:VTODO\r\n";
    const GObjectPtr<ICalComponent> component(i_cal_component_new_from_string(text.c_str()));
    ASSERT_NE(component, nullptr) << text;
    GErrorPtr error;
    GCharPtr uid;
    expectDone(e_cal_client_create_object_sync(eds_->client(sourceUid), component.get(),
                                               E_CAL_OPERATION_FLAG_NONE, out(uid), nullptr,
                                               out(error)),
               error, "adding " + properties);
}

void EdsHome::removeTask(const std::string& sourceUid, const std::string& uid) {
    GErrorPtr error;
    expectDone(e_cal_client_remove_object_sync(eds_->client(sourceUid), uid.c_str(), nullptr,
                                               E_CAL_OBJ_MOD_ALL, E_CAL_OPERATION_FLAG_NONE,
                                               nullptr, out(error)),
               error, "removing " + uid);
}

std::string EdsHome::component(const std::string& sourceUid, const std::string& uid) {
    ICalComponent* found = nullptr;
    if (!e_cal_client_get_object_sync(eds_->client(sourceUid), uid.c_str(), nullptr, &found,
                                      nullptr, nullptr)) {
        return {};
    }
    const GObjectPtr<ICalComponent> owned(found);
    const GCharPtr text(i_cal_component_as_ical_string(found));
    return text.get();
}

} // namespace tandry::testing
