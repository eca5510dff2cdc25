#include "platform/host/PlacementStore.h"

#include "widget/system/DurableFile.h"

#include <fmt/format.h>
#include <fstream>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <utility>

namespace tandry {
namespace {

using Json = nlohmann::json;

// A placement file is a few hundred bytes; anything huge is not ours.
constexpr std::uintmax_t largestFile = 1024 * 1024;

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
    // An appearance this version does not know (a newer one wrote it) is
    // drawn as the desktop says rather than losing the card.
    if (item.contains("appearance") && item["appearance"].is_string()) {
        placement.appearance = cardAppearanceNamed(item["appearance"].get<std::string>())
                                   .value_or(CardAppearance::followDesktop);
    }
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

// The list of placements in `file`; absent when the file is missing or is
// no placement file.
std::optional<Json> placementList(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error) ||
        std::filesystem::file_size(file, error) > largestFile) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    Json document = Json::parse(std::istreambuf_iterator<char>(in), {}, nullptr, false);
    if (!document.is_object() || !document.contains("placements") ||
        !document["placements"].is_array()) {
        return std::nullopt;
    }
    return std::move(document["placements"]);
}

} // namespace

std::optional<PlacementStore> PlacementStore::standard(const BaseDirectories& directories) {
    if (!directories.stateHome) {
        return std::nullopt;
    }
    return PlacementStore(*directories.stateHome / "tandry-widget" / "placements.json");
}

bool PlacementStore::listsNoWidget() const {
    const std::optional<Json> list = placementList(file_);
    return list && list->empty();
}

std::vector<Placement> PlacementStore::load() const {
    const std::optional<Json> list = placementList(file_);
    if (!list) {
        return {};
    }
    std::vector<Placement> placements;
    for (const Json& item : *list) {
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
        if (placement.appearance != CardAppearance::followDesktop) {
            item["appearance"] = cardAppearanceName(placement.appearance);
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

    // 2. The old list or the new one, whole, also after a crash.
    return replaceFileDurably(file_, bytes);
}

} // namespace tandry
