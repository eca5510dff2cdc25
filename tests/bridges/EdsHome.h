#pragma once

#include "tests/bridges/BridgeHome.h"

#include <map>
#include <memory>
#include <string>

namespace tandry::testing {

// The data server of the test's own session bus (tests/bridges/eds-session
// starts one per test, with a home of its own), reached through its client
// library as a desktop's task application reaches it, beside the bridge's
// data home.
class EdsHome : public BridgeHome {
protected:
    EdsHome();
    ~EdsHome() override;

    // Creates an enabled task list through the source registry: a local one,
    // or one that the data server keeps in step with a CalDAV collection at
    // `caldavUrl`. Its source UID.
    std::string createList(const std::string& displayName, const std::string& caldavUrl = {});
    void removeList(const std::string& sourceUid);

    // Adds a VTODO with `properties` (iCalendar lines between BEGIN:VTODO and
    // END:VTODO) to the list; fails the test when the list refuses it.
    void addTask(const std::string& sourceUid, const std::string& properties);
    void removeTask(const std::string& sourceUid, const std::string& uid);

    // The component as the list holds it now, as iCalendar text; empty when
    // the list holds none with that UID.
    std::string component(const std::string& sourceUid, const std::string& uid);

    CommandResult bridge(Words words, const EnvironmentChanges& changes = {}) const {
        return BridgeHome::bridge("eds", std::move(words), changes);
    }

    // The instant `offset` from the test's start (whole seconds) in UTC, as
    // `format` for strftime writes it.
    std::string utc(std::chrono::seconds offset, const char* format) const;
    // A date-time property value: "20261207T101500Z".
    std::string utcText(std::chrono::seconds offset) const { return utc(offset, "%Y%m%dT%H%M%SZ"); }
    // The card's date text of the same instant: "2026-12-07T10:15:00Z".
    std::string cardText(std::chrono::seconds offset) const {
        return utc(offset, "%Y-%m-%dT%H:%M:%SZ");
    }
    // A date property value `days` from the test's day in UTC, the bridge's
    // zone in these tests: "20261207".
    std::string dateText(int days) const { return utc(std::chrono::days(days), "%Y%m%d"); }

private:
    struct Connection;
    std::unique_ptr<Connection> eds_;
    // When the test started, to whole seconds: the origin of the texts above.
    std::chrono::sys_seconds origin_;
};

} // namespace tandry::testing
