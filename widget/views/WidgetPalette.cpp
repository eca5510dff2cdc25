#include "widget/views/WidgetPalette.h"

#include <map>
#include <ostream>
#include <string>

namespace tandry {
namespace {

// An accent in both appearances, as packed 0xRRGGBB values.
struct AccentPair {
    unsigned light = 0;
    unsigned dark = 0;
};

constexpr AccentPair violet{0x7C4DE0, 0xA78BFA};

// The accents the task manager may name. Built on first use by a
// thread-safe static initialisation and never changed afterwards, so lookups
// take no lock.
const std::map<std::string, AccentPair, std::less<>>& accentTable() {
    static const std::map<std::string, AccentPair, std::less<>> table{
        {"violet", violet},
        {"blue", {0x2469D0, 0x579FF8}},
        {"green", {0x1C7B4F, 0x11B462}},
        {"orange", {0xA4581E, 0xF07E0D}},
        {"pink", {0xC9286D, 0xF56FA5}},
        {"graphite", {0x696B79, 0x999CAD}},
    };
    return table;
}

} // namespace

WidgetPalette WidgetPalette::resolve(std::string_view name, ColorScheme scheme) {
    // 1. The named pair, or violet for any name the table does not hold.
    const auto& table = accentTable();
    const auto found = table.find(name);
    const AccentPair pair = found == table.end() ? violet : found->second;

    // 2. The variant and the text colours of the appearance.
    if (scheme == ColorScheme::dark) {
        return {Color::packed(pair.dark), Color::packed(0xECEAF2), Color::packed(0x9C98AC)};
    }
    return {Color::packed(pair.light), Color::packed(0x1C1A24), Color::packed(0x6A6678)};
}

const Color& systemRed() {
    static const Color red = Color::systemRed();
    return red;
}

std::ostream& operator<<(std::ostream& out, const WidgetPalette& palette) {
    return out << "WidgetPalette{accent=" << palette.accent << ", ink=" << palette.ink
               << ", secondary=" << palette.secondary << '}';
}

} // namespace tandry
