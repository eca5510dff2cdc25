#pragma once

#include "tests/support/ScopedEnvironment.h"

#include <string>
#include <unicode/timezone.h>

namespace tandry::testing {

// Has ICU take its default time zone from TZ again, as a new process would.
inline void redetectTimeZone() {
    icu::TimeZone::adoptDefault(icu::TimeZone::detectHostTimeZone());
}

// Sets TZ and redetects; restores both on destruction. The C library and ICU
// read the time zone from TZ themselves, so this is the one variable tests
// still set in the process environment. The members go in
// reverse order: TZ is restored first, then redetected.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const std::string& zone) : variable_("TZ", zone) { redetectTimeZone(); }

private:
    struct RedetectOnExit {
        ~RedetectOnExit() { redetectTimeZone(); }
    } redetect_;
    ScopedEnvironment variable_;
};

} // namespace tandry::testing
