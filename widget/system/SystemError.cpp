#include "widget/system/SystemError.h"

#include <cstring>
#include <fmt/format.h>

namespace tandry {

Error systemError(std::string_view what, const std::filesystem::path& path, int errorNumber) {
    return Error{fmt::format("{} {}: {}", what, path.string(), std::strerror(errorNumber))};
}

} // namespace tandry
