#include "platform/host/PlacementStore.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fmt/format.h>
#include <fstream>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <unistd.h>
#include <utility>

namespace tandry {
namespace {

using Json = nlohmann::json;

// A placement file is a few hundred bytes; anything huge is not ours.
constexpr std::uintmax_t largestFile = 1024 * 1024;

std::optional<std::filesystem::path> absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value != '/') {
        return std::nullopt;
    }
    return std::filesystem::path(value);
}

// A screen coordinate: an integer that fits an int. Larger numbers are no
// place on any screen, and truncating them would make up one.
std::optional<int> coordinate(const Json& value) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        return number <= std::numeric_limits<int>::max() ? std::optional(static_cast<int>(number))
                                                         : std::nullopt;
    }
    if (value.is_number_integer()) {
        const auto number = value.get<std::int64_t>();
        return number >= std::numeric_limits<int>::min() &&
                       number <= std::numeric_limits<int>::max()
                   ? std::optional(static_cast<int>(number))
                   : std::nullopt;
    }
    return std::nullopt;
}

std::optional<Placement> placementFrom(const Json& item) {
    if (!item.is_object() || !item.contains("kind") || !item["kind"].is_string() ||
        !item.contains("family") || !item["family"].is_string()) {
        return std::nullopt;
    }
    auto family = familyNamed(item["family"].get<std::string>());
    if (!family || item["kind"].get<std::string>().empty()) {
        return std::nullopt;
    }
    Placement placement{
        .kind = item["kind"].get<std::string>(), .family = *family, .x = {}, .y = {}};
    if (item.contains("x") && item.contains("y")) {
        const auto x = coordinate(item["x"]);
        const auto y = coordinate(item["y"]);
        if (x && y) {
            placement.x = x;
            placement.y = y;
        }
    }
    return placement;
}

Error systemError(std::string_view what, const std::filesystem::path& path, int error) {
    return Error{fmt::format("{} {}: {}", what, path.string(), std::strerror(error))};
}

} // namespace

std::optional<PlacementStore> PlacementStore::standard() {
    std::optional<std::filesystem::path> state = absoluteVariable("XDG_STATE_HOME");
    if (!state) {
        if (auto home = absoluteVariable("HOME")) {
            state = *home / ".local" / "state";
        }
    }
    if (!state) {
        return std::nullopt;
    }
    return PlacementStore(*state / "tandry-widget" / "placements.json");
}

std::vector<Placement> PlacementStore::load() const {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file_, error) ||
        std::filesystem::file_size(file_, error) > largestFile) {
        return {};
    }
    std::ifstream in(file_, std::ios::binary);
    const Json document = Json::parse(std::istreambuf_iterator<char>(in), {}, nullptr, false);
    if (!document.is_object() || !document.contains("placements") ||
        !document["placements"].is_array()) {
        return {};
    }
    std::vector<Placement> placements;
    for (const Json& item : document["placements"]) {
        if (auto placement = placementFrom(item)) {
            placements.push_back(std::move(*placement));
        }
    }
    return placements;
}

Result<void> PlacementStore::save(const std::vector<Placement>& placements) const {
    Json list = Json::array();
    for (const Placement& placement : placements) {
        Json item{{"kind", placement.kind}, {"family", familyName(placement.family)}};
        if (placement.x && placement.y) {
            item["x"] = *placement.x;
            item["y"] = *placement.y;
        }
        list.push_back(std::move(item));
    }
    const std::string bytes = Json{{"placements", list}}.dump(2) + '\n';

    // 1. The directory, created on the first save.
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    if (error) {
        return fail(fmt::format("cannot create directory {}: {}", file_.parent_path().string(),
                                error.message()));
    }

    // 2. A temporary file beside the target, written whole and flushed.
    const std::filesystem::path temporary =
        file_.parent_path() / fmt::format(".{}.{}.partial", file_.filename().string(), ::getpid());
    const int descriptor =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        return std::unexpected(systemError("cannot create", temporary, errno));
    }
    std::string_view rest = bytes;
    int failure = 0;
    while (!rest.empty() && failure == 0) {
        const ssize_t written = ::write(descriptor, rest.data(), rest.size());
        if (written < 0 && errno != EINTR) {
            failure = errno;
        } else if (written > 0) {
            rest.remove_prefix(static_cast<std::size_t>(written));
        }
    }
    if (failure == 0 && ::fsync(descriptor) != 0) {
        failure = errno;
    }
    if (::close(descriptor) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure != 0) {
        ::unlink(temporary.c_str());
        return std::unexpected(systemError("cannot write", temporary, failure));
    }

    // 3. The rename replaces the old list in one step.
    if (::rename(temporary.c_str(), file_.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        return std::unexpected(systemError("cannot replace", file_, renameError));
    }
    return {};
}

} // namespace tandry
