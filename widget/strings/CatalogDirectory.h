#pragma once

#include "widget/system/Environment.h"

#include <filesystem>
#include <optional>

namespace tandry {

// The environment variable that names another catalog directory (tests,
// packagers). Only an absolute path counts.
inline constexpr const char* catalogDirectoryVariable = "TANDRY_WIDGET_LOCALEDIR";

// Where the widget's own compiled catalogs live: the directory that
// TANDRY_WIDGET_LOCALEDIR names in `environment`, else locale/ in the
// installation's data directory (<prefix>/share/locale), the same in the
// build tree as after installation. Absent only when the executable cannot
// be located.
std::optional<std::filesystem::path> catalogDirectory(const Environment& environment);

} // namespace tandry
