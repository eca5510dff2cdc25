#pragma once

#include "widget/system/Error.h"

#include <filesystem>
#include <string_view>

namespace tandry {

// "<what> <path>: <the system's words for errorNumber>", for example
// "cannot create /x/y.json: Permission denied".
Error systemError(std::string_view what, const std::filesystem::path& path, int errorNumber);

} // namespace tandry
