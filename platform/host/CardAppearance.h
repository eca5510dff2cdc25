#pragma once

#include "widget/ui/ColorScheme.h"

#include <array>
#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

namespace tandry {

// The appearance the user chose for one card: the desktop's light or dark
// setting, or one of them for good.
enum class CardAppearance { followDesktop, light, dark };

// The names placements.json and the card's menu use, beside their values.
inline constexpr std::array<std::pair<std::string_view, CardAppearance>, 3> cardAppearanceNames{{
    {"desktop", CardAppearance::followDesktop},
    {"light", CardAppearance::light},
    {"dark", CardAppearance::dark},
}};

inline std::string_view cardAppearanceName(CardAppearance appearance) {
    for (const auto& [name, value] : cardAppearanceNames) {
        if (value == appearance) {
            return name;
        }
    }
    return "desktop";
}

inline std::optional<CardAppearance> cardAppearanceNamed(std::string_view name) {
    for (const auto& [known, value] : cardAppearanceNames) {
        if (known == name) {
            return value;
        }
    }
    return std::nullopt;
}

// The scheme a card with `appearance` is drawn in while the desktop asks for
// `desktop`.
inline ColorScheme schemeOf(CardAppearance appearance, ColorScheme desktop) {
    switch (appearance) {
    case CardAppearance::light:
        return ColorScheme::light;
    case CardAppearance::dark:
        return ColorScheme::dark;
    case CardAppearance::followDesktop:
        return desktop;
    }
    return desktop;
}

inline std::ostream& operator<<(std::ostream& out, CardAppearance appearance) {
    return out << cardAppearanceName(appearance);
}

} // namespace tandry
