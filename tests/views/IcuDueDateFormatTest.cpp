#include "widget/views/IcuDueDateFormat.h"

#include "tests/support/ScopedEnvironment.h"
#include "tests/timeline/ScopedTimeZone.h"
#include "tests/views/ViewFixtures.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace tandry::testing {
namespace {

TEST(IcuDueDateFormat, WritesTheLocalesAbbreviatedMonthAndDay) {
    const ScopedTimeZone zone("UTC");
    struct Row {
        const char* locale;
        const char* expected;
    };
    const Row rows[] = {
        {"en_US", "Mar 5"},  {"en_GB", "5 Mar"},  {"de", "5. März"},
        {"ja_JP", "3月5日"}, {"ar_EG", "٥ مارس"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.locale);
        const IcuDueDateFormat format(row.locale);
        EXPECT_FALSE(format.pattern().empty());
        EXPECT_EQ(format.format(utc(2026, 3, 5)), row.expected);
    }
}

TEST(IcuDueDateFormat, CountsTheDayInTheDefaultTimeZone) {
    // Two in the morning in London is the evening before in Los Angeles and
    // late morning in Tokyo.
    const Instant instant = utc(2026, 3, 5, 2);
    struct Row {
        const char* zone;
        const char* expected;
    };
    for (const Row& row : {Row{"America/Los_Angeles", "Mar 4"}, Row{"Asia/Tokyo", "Mar 5"}}) {
        SCOPED_TRACE(row.zone);
        const ScopedTimeZone zone(row.zone);
        EXPECT_EQ(IcuDueDateFormat("en_US").format(instant), row.expected);
    }
}

TEST(IcuDueDateFormat, UsesTheCalendarThatTheLocaleNames) {
    const ScopedTimeZone zone("UTC");
    const std::string gregorian = IcuDueDateFormat("en_US").format(utc(2026, 3, 5));
    const std::string hebrew = IcuDueDateFormat("en_US@calendar=hebrew").format(utc(2026, 3, 5));
    EXPECT_NE(hebrew, gregorian);
    EXPECT_EQ(hebrew.find("Mar"), std::string::npos) << hebrew;
}

TEST(IcuDueDateFormat, ConvertsPosixLocaleNames) {
    struct Row {
        const char* posix;
        const char* icu;
    };
    const Row rows[] = {
        {"de_DE.UTF-8", "de_DE"},
        {"ja_JP.eucJP", "ja_JP"},
        {"fr_FR@euro", "fr_FR"},
        {"sr_RS.UTF-8@latin", "sr_RS"},
        {"fa_IR@calendar=persian", "fa_IR@calendar=persian"},
        {"ar_SA.UTF-8@calendar=islamic", "ar_SA@calendar=islamic"},
        {"C", "en_US_POSIX"},
        {"POSIX", "en_US_POSIX"},
        {"C.UTF-8", "en_US_POSIX"},
        {"", "en_US_POSIX"},
        {"pl", "pl"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.posix);
        EXPECT_EQ(icuLocaleIdForPosixName(row.posix), row.icu);
    }
}

TEST(IcuDueDateFormat, TakesTheLocaleForDatesFromTheEnvironment) {
    struct Row {
        std::optional<std::string> lcAll;
        std::optional<std::string> lcTime;
        std::optional<std::string> lang;
        const char* expected;
    };
    const Row rows[] = {
        {"de_DE.UTF-8", "ja_JP.UTF-8", "fr_FR.UTF-8", "de_DE"},
        {std::nullopt, "ja_JP.UTF-8", "fr_FR.UTF-8", "ja_JP"},
        {"", "ja_JP.UTF-8", "fr_FR.UTF-8", "ja_JP"},
        {std::nullopt, std::nullopt, "fr_FR.UTF-8", "fr_FR"},
        {std::nullopt, std::nullopt, std::nullopt, "en_US_POSIX"},
    };
    // Messages follow LANGUAGE; dates, as everywhere on the desktop, do not.
    const ScopedEnvironment language("LANGUAGE", "pl");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        const ScopedEnvironment all("LC_ALL", row.lcAll);
        const ScopedEnvironment time("LC_TIME", row.lcTime);
        const ScopedEnvironment lang("LANG", row.lang);
        EXPECT_EQ(dateLocaleId(), row.expected);
    }
}

TEST(IcuDueDateFormat, CurrentFollowsTheEnvironmentsLocale) {
    const ScopedTimeZone zone("UTC");
    const ScopedEnvironment all("LC_ALL", std::nullopt);
    const ScopedEnvironment time("LC_TIME", std::nullopt);
    const ScopedEnvironment lang("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(IcuDueDateFormat::current().format(utc(2026, 3, 5)), "3月5日");
}

} // namespace
} // namespace tandry::testing
