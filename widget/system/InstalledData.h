#pragma once

#include <filesystem>
#include <optional>

namespace tandry {

// Where the running program's own installation is, found from the
// executable, so that a build tree and every installation prefix work alike.
// Both are absent only when the executable cannot be located.

// The directory of the executable (<prefix>/bin), where its sibling programs are.
std::optional<std::filesystem::path> executableDirectory();

// The installation's data directory: share/ beside the executable's
// directory (<prefix>/bin/../share).
std::optional<std::filesystem::path> installedDataDirectory();

} // namespace tandry
