#pragma once

#include "tests/support/ScopedEnvironment.h"

#include <optional>
#include <string>
#include <unicode/timezone.h>

namespace tandry::testing {

// Sets TZ and has ICU take its default time zone from it again, as a new
// process would; restores both on destruction.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const std::string& zone) {
        variable_.emplace("TZ", zone);
        redetect();
    }
    ~ScopedTimeZone() {
        variable_.reset();
        redetect();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    static void redetect() { icu::TimeZone::adoptDefault(icu::TimeZone::detectHostTimeZone()); }

    std::optional<ScopedEnvironment> variable_;
};

} // namespace tandry::testing
