#pragma once

#include <filesystem>
#include <string>

namespace tandry::testing {

// Compares `actual` with the saved golden file. With the environment
// variable TANDRY_UPDATE_GOLDEN=1 it rewrites the file instead (and the
// check passes), so that an intended change is one command away:
//   TANDRY_UPDATE_GOLDEN=1 ctest -R Golden
void expectMatchesGolden(const std::string& actual, const std::filesystem::path& golden);

} // namespace tandry::testing
