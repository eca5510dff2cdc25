#include "widget/views/IcuDueDateFormat.h"

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

// The formatter for an environment's locale is the one dateLocaleId names.
TEST(IcuDueDateFormat, TakesTheLocaleForDatesFromTheEnvironment) {
    for (const TableRow& row :
         readTableFile(TANDRY_SOURCE_DIR "/tests/views/data/date-locale-environments.tsv")) {
        SCOPED_TRACE(::testing::Message() << "date-locale-environments.tsv:" << row.line);
        Environment environment{{"LANGUAGE", "pl"}};
        for (std::size_t field = 0; const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
            if (row.fields.at(field) != "unset") {
                environment = environment.with(name, row.fields.at(field));
            }
            ++field;
        }
        EXPECT_EQ(dateLocaleId(environment), row.fields.at(3));
        EXPECT_EQ(IcuDueDateFormat::of(environment).format(utc(2026, 3, 5)),
                  IcuDueDateFormat(row.fields.at(3)).format(utc(2026, 3, 5)));
    }
}

} // namespace
} // namespace tandry::testing
