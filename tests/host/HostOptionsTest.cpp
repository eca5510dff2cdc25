#include "platform/host/HostOptions.h"

#include "tests/support/TableFile.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tandry {
namespace {

TEST(HostOptions, ReadsEachOptionIntoItsValueOrRejectsTheCommandLine) {
    for (const auto& row :
         testing::readTableFile(TANDRY_SOURCE_DIR "/tests/host/data/command-lines.tsv")) {
        SCOPED_TRACE("line " + std::to_string(row.line));
        ASSERT_EQ(row.fields.size(), 2u);
        std::vector<std::string> arguments{"tandry-widget-host"};
        std::istringstream words(row.fields[0]);
        for (std::string word; words >> word && word != "-";) {
            arguments.push_back(word == "\"\"" ? "" : word);
        }
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        std::ostringstream errors;
        const auto parsed = parseHostOptions(static_cast<int>(argv.size()), argv.data(), errors);
        if (const auto* options = std::get_if<HostOptions>(&parsed)) {
            EXPECT_EQ((std::ostringstream() << *options).str(), row.fields[1]);
            EXPECT_EQ(errors.str(), "");
        } else {
            EXPECT_EQ(std::get<int>(parsed), 2);
            EXPECT_EQ("usage error: " + errors.str(),
                      row.fields[1] + "\nRun with --help for usage.\n");
        }
    }
}

} // namespace
} // namespace tandry
