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

// Compiles tests/strings/data/<poFile> into <directory>/<language>/LC_MESSAGES
// with plain msgfmt, which does not check formats, as a careless or hostile tool might.
inline void compileUncheckedCatalog(const std::filesystem::path& directory,
                                    const std::string& language, const std::string& poFile) {
    auto target = catalogFile(directory, language);
    std::filesystem::create_directories(target.parent_path());
    auto result = runCommand({TANDRY_MSGFMT, "--output-file=" + target.string(),
                              TANDRY_SOURCE_DIR "/tests/strings/data/" + poFile});
    ASSERT_EQ(result.exitStatus, 0) << result.standardError;
}

// Copies the built catalog of `language` into <directory>/<language>/LC_MESSAGES.
inline void copyBuiltCatalog(const std::filesystem::path& directory, const std::string& language) {
    auto target = catalogFile(directory, language);
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(catalogFile(builtCatalogDirectory(), language), target);
}

} // namespace tandry::testing
