#pragma once

#include "tests/support/Subprocess.h"
#include "tests/support/TemporaryDirectory.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace tandry::testing {

// share/locale of the build tree, where the build puts the shipped catalogs.
inline std::filesystem::path builtCatalogDirectory() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "share" /
           "locale";
}

inline std::filesystem::path catalogFile(const std::filesystem::path& directory,
                                         const std::string& language) {
    return directory / language / "LC_MESSAGES" / "tandry-widget.mo";
}

inline std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The msgfmt command line of the build: msgfmt with the build's flags.
inline std::vector<std::string> buildMsgfmtCommand() {
    std::vector<std::string> command{TANDRY_MSGFMT};
    std::istringstream flags(TANDRY_MSGFMT_FLAGS);
    for (std::string flag; flags >> flag;) {
        command.push_back(flag);
    }
    return command;
}

// Compiles catalog text into <directory>/<language>/LC_MESSAGES with plain
// msgfmt, which does not check formats, as a careless or hostile tool might.
inline void compileUncheckedCatalog(const std::filesystem::path& directory,
                                    const std::string& language, const std::string& poText) {
    auto source = directory / (language + ".po");
    writeFile(source, poText);
    auto target = catalogFile(directory, language);
    std::filesystem::create_directories(target.parent_path());
    auto result = runCommand({TANDRY_MSGFMT, "--output-file=" + target.string(), source.string()});
    ASSERT_EQ(result.exitStatus, 0) << result.standardError;
}

// A catalog header with two plural forms, as English has.
inline constexpr const char* twoFormHeader = R"(msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"
"Plural-Forms: nplurals=2; plural=(n != 1);\n"
)";

} // namespace tandry::testing
