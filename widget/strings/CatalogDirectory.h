#pragma once

#include <filesystem>
#include <optional>

namespace tandry {

// The environment variable that names another catalog directory (tests,
// packagers). Only an absolute path counts.
inline constexpr const char* catalogDirectoryVariable = "TANDRY_WIDGET_LOCALEDIR";

// Where the widget's own compiled catalogs live: the directory that
// TANDRY_WIDGET_LOCALEDIR names, else share/locale beside the directory of the
// executable (<prefix>/bin/../share/locale), the same in the build tree as
// after installation. Absent only when the executable cannot be located.
// Looked up afresh on every call.
std::optional<std::filesystem::path> catalogDirectory();

} // namespace tandry
