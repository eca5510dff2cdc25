#include "widget/views/IcuDueDateFormat.h"

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TableFile.h"
#include "tests/timeline/ScopedTimeZone.h"
#include "tests/views/ViewFixtures.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace tandry::testing {
namespace {

TEST(IcuDueDateFormat, WritesTheLocalesMonthAndDayInTheDefaultTimeZone) {
    for (const TableRow& row :
         readTableFile(TANDRY_SOURCE_DIR "/tests/views/data/due-date-formats.tsv")) {
        SCOPED_TRACE(::testing::Message() << "due-date-formats.tsv:" << row.line);
        const ScopedTimeZone zone(row.fields.at(1));
        EXPECT_EQ(IcuDueDateFormat(row.fields.at(0)).format(utc(2026, 3, 5, 2)), row.fields.at(2));
    }
}

TEST(IcuDueDateFormat, ConvertsPosixLocaleNames) {
    for (const TableRow& row :
         readTableFile(TANDRY_SOURCE_DIR "/tests/views/data/posix-locale-names.tsv")) {
        SCOPED_TRACE(::testing::Message() << "posix-locale-names.tsv:" << row.line);
        EXPECT_EQ(icuLocaleIdForPosixName(row.fields.at(0)), row.fields.at(1));
    }
}

// The formatter for the environment's locale is the one dateLocaleId names.
TEST(IcuDueDateFormat, TakesTheLocaleForDatesFromTheEnvironment) {
    const auto value = [](const std::string& field) {
        return field == "unset" ? std::nullopt : std::optional(field);
    };
    const ScopedEnvironment language("LANGUAGE", "pl");
    for (const TableRow& row :
         readTableFile(TANDRY_SOURCE_DIR "/tests/views/data/date-locale-environments.tsv")) {
        SCOPED_TRACE(::testing::Message() << "date-locale-environments.tsv:" << row.line);
        const ScopedEnvironment all("LC_ALL", value(row.fields.at(0)));
        const ScopedEnvironment time("LC_TIME", value(row.fields.at(1)));
        const ScopedEnvironment lang("LANG", value(row.fields.at(2)));
        EXPECT_EQ(dateLocaleId(), row.fields.at(3));
        EXPECT_EQ(IcuDueDateFormat::current().format(utc(2026, 3, 5)),
                  IcuDueDateFormat(row.fields.at(3)).format(utc(2026, 3, 5)));
    }
}

} // namespace
} // namespace tandry::testing
