#pragma once

#include "widget/system/Environment.h"
#include "widget/views/DueDateFormat.h"

#include <memory>
#include <string>
#include <string_view>

namespace tandry {

// The due date in a locale's own words: the locale's pattern for the
// skeleton "MMMd" (abbreviated month and day, no year), in the locale's
// calendar and ICU's default time zone, which ICU takes from TZ. The locale
// data is loaded on the first date written, not before: most cards show no
// date, and loading costs milliseconds in a fresh process. A renderer keeps
// one per card, not per row, and one per thread.
class IcuDueDateFormat final : public DueDateFormat {
public:
    // For an ICU locale id ("de_DE", "ja", "ar_EG@calendar=islamic").
    explicit IcuDueDateFormat(std::string_view localeId);
    ~IcuDueDateFormat() override;
    IcuDueDateFormat(IcuDueDateFormat&&) noexcept;
    IcuDueDateFormat& operator=(IcuDueDateFormat&&) noexcept;

    // For the locale that `environment` gives dates (see dateLocaleId).
    static IcuDueDateFormat of(const Environment& environment);

    std::string format(Instant date) const override;

    // The pattern in use ("MMM d"); empty when ICU could build none, in
    // which case dates are written as "2026-03-05" (UTC).
    std::string pattern() const;

private:
    struct Formatter;

    // The formatter, built on first use; null when ICU could build none.
    const Formatter* formatter() const;

    std::string localeId_;
    mutable bool built_ = false;
    mutable std::unique_ptr<Formatter> formatter_;
};

// The ICU locale id for a POSIX locale name: "de_DE.UTF-8" gives "de_DE",
// "fa_IR@calendar=persian" keeps its calendar; "C", "POSIX", "C.UTF-8" and ""
// give "en_US_POSIX". Other "@" modifiers ("@euro") name no ICU keyword and
// are dropped.
std::string icuLocaleIdForPosixName(std::string_view name);

// The locale in which the user reads dates: LC_ALL, else LC_TIME, else LANG of
// `environment`,
// as the C library chooses it, converted by icuLocaleIdForPosixName.
std::string dateLocaleId(const Environment& environment);

} // namespace tandry
