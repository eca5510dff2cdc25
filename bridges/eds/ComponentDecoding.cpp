#include "bridges/eds/ComponentDecoding.h"

#include "bridges/LocalCalendar.h"
#include "bridges/eds/CardIdentity.h"
#include "platform/GLibOwnership.h"

#include <fmt/format.h>
#include <libical-glib/libical-glib.h>

namespace tandry {
namespace {

Instant instantOfTimeT(time_t seconds) {
    return std::chrono::time_point_cast<std::chrono::microseconds>(
        std::chrono::system_clock::from_time_t(seconds));
}

LocalDate dateOf(const ICalTime* time) {
    LocalDate date;
    i_cal_time_get_date(time, &date.year, &date.month, &date.day);
    return date;
}

// A DTSTART or DUE property's value and the zone its TZID names, if any.
struct PropertyTime {
    GObjectPtr<ICalTime> time;
    ICalTimezone* zone = nullptr;
};

std::optional<PropertyTime> propertyTime(ICalComponent* component, ICalPropertyKind kind,
                                         const TimezoneLookup& zoneOf) {
    const GObjectPtr<ICalProperty> property(i_cal_component_get_first_property(component, kind));
    if (!property) {
        return std::nullopt;
    }
    PropertyTime read;
    read.time.reset(kind == I_CAL_DUE_PROPERTY ? i_cal_property_get_due(property.get())
                                               : i_cal_property_get_dtstart(property.get()));
    if (!read.time || i_cal_time_is_null_time(read.time.get()) ||
        !i_cal_time_is_valid_time(read.time.get())) {
        return std::nullopt;
    }
    const GObjectPtr<ICalParameter> tzid(
        i_cal_property_get_first_parameter(property.get(), I_CAL_TZID_PARAMETER));
    if (tzid && !i_cal_time_is_utc(read.time.get())) {
        const char* name = i_cal_parameter_get_tzid(tzid.get());
        read.zone = name != nullptr ? zoneOf(name) : nullptr;
    }
    return read;
}

// The instant a date-time names; a date names its local midnight.
std::optional<Instant> instantOf(const PropertyTime& read) {
    const ICalTime* time = read.time.get();
    if (i_cal_time_is_date(time)) {
        return localInstantOf(dateOf(time));
    }
    if (i_cal_time_is_utc(time)) {
        return instantOfTimeT(
            i_cal_time_as_timet_with_zone(time, i_cal_timezone_get_utc_timezone()));
    }
    if (read.zone != nullptr) {
        return instantOfTimeT(i_cal_time_as_timet_with_zone(time, read.zone));
    }
    return localInstantOf(dateOf(time), {i_cal_time_get_hour(time), i_cal_time_get_minute(time),
                                         i_cal_time_get_second(time)});
}

std::optional<DueDate> dueOf(ICalComponent* component, const TimezoneLookup& zoneOf) {
    const auto read = propertyTime(component, I_CAL_DUE_PROPERTY, zoneOf);
    if (!read) {
        return std::nullopt;
    }
    if (i_cal_time_is_date(read->time.get())) {
        const LocalDate date = dateOf(read->time.get());
        const auto lastSecond = localInstantOf(date, {23, 59, 59});
        const auto nextMidnight = localInstantOf({date.year, date.month, date.day + 1});
        if (!lastSecond || !nextMidnight) {
            return std::nullopt;
        }
        return DueDate{*lastSecond, *nextMidnight};
    }
    const auto instant = instantOf(*read);
    if (!instant) {
        return std::nullopt;
    }
    return DueDate{*instant, *instant};
}

TaskProgress progressOf(ICalComponent* component) {
    switch (i_cal_component_get_status(component)) {
    case I_CAL_STATUS_COMPLETED:
        return TaskProgress::completed;
    case I_CAL_STATUS_CANCELLED:
        return TaskProgress::cancelled;
    default:
        break;
    }
    // Some clients set COMPLETED and leave STATUS alone.
    const GObjectPtr<ICalProperty> completed(
        i_cal_component_get_first_property(component, I_CAL_COMPLETED_PROPERTY));
    return completed ? TaskProgress::completed : TaskProgress::open;
}

int priorityOf(ICalComponent* component) {
    const GObjectPtr<ICalProperty> priority(
        i_cal_component_get_first_property(component, I_CAL_PRIORITY_PROPERTY));
    return priority ? i_cal_property_get_priority(priority.get()) : 0;
}

} // namespace

Result<EdsTask> decodeTask(ICalComponent* component, std::string_view sourceUid,
                           const TimezoneLookup& zoneOf) {
    const char* uid = i_cal_component_get_uid(component);
    if (i_cal_component_isa(component) != I_CAL_VTODO_COMPONENT) {
        return fail(fmt::format("component {} of task list {} is not a VTODO",
                                uid != nullptr ? uid : "(no UID)", sourceUid));
    }
    if (uid == nullptr || *uid == '\0') {
        return fail(fmt::format("a VTODO of task list {} has no UID", sourceUid));
    }
    const char* summary = i_cal_component_get_summary(component);
    EdsTask task{
        .cardId = cardIdOf(sourceUid, uid),
        .uid = uid,
        .summary = summary != nullptr ? summary : "",
        .progress = progressOf(component),
        .start = std::nullopt,
        .due = dueOf(component, zoneOf),
        .priority = priorityOf(component),
    };
    if (const auto start = propertyTime(component, I_CAL_DTSTART_PROPERTY, zoneOf)) {
        task.start = instantOf(*start);
    }
    return task;
}

} // namespace tandry
