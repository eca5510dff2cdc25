#include "bridges/LocalCalendar.h"

#include <ctime>

namespace tandry {
namespace {

std::optional<std::tm> localTime(Instant instant) {
    const std::time_t seconds =
        std::chrono::floor<std::chrono::seconds>(instant).time_since_epoch().count();
    std::tm fields{};
    if (::localtime_r(&seconds, &fields) == nullptr) {
        return std::nullopt;
    }
    return fields;
}

} // namespace

std::optional<LocalDate> localDateOf(Instant instant) {
    const auto fields = localTime(instant);
    if (!fields) {
        return std::nullopt;
    }
    return LocalDate{fields->tm_year + 1900, fields->tm_mon + 1, fields->tm_mday};
}

std::optional<Instant> localInstantOf(LocalDate date, LocalTime time) {
    // mktime carries day 32 into the next month and finds whether daylight
    // saving time is in force then.
    std::tm fields{};
    fields.tm_year = date.year - 1900;
    fields.tm_mon = date.month - 1;
    fields.tm_mday = date.day;
    fields.tm_hour = time.hour;
    fields.tm_min = time.minute;
    fields.tm_sec = time.second;
    fields.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&fields);
    if (seconds == static_cast<std::time_t>(-1)) {
        return std::nullopt;
    }
    return std::chrono::time_point_cast<std::chrono::microseconds>(
        std::chrono::system_clock::from_time_t(seconds));
}

std::optional<Instant> nextLocalMidnight(Instant instant) {
    const auto date = localDateOf(instant);
    if (!date) {
        return std::nullopt;
    }
    return localInstantOf({date->year, date->month, date->day + 1});
}

} // namespace tandry
