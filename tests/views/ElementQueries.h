#pragma once

#include "widget/ui/Element.h"

#include <algorithm>
#include <type_traits>
#include <vector>

namespace tandry::testing {

// The texts of a view tree, depth first in child order, with identified lists
// opened up as the layout opens them.
inline std::vector<Text> textsOf(const Element& element) {
    std::vector<Text> texts;
    const auto append = [&](const Element& child) {
        const std::vector<Text> inner = textsOf(child);
        texts.insert(texts.end(), inner.begin(), inner.end());
    };
    std::visit(
        [&](const auto& content) {
            using Content = std::decay_t<decltype(content)>;
            if constexpr (std::is_same_v<Content, Text>) {
                texts.push_back(content);
            } else if constexpr (std::is_same_v<Content, VStack> ||
                                 std::is_same_v<Content, HStack>) {
                std::ranges::for_each(content.children, append);
            } else if constexpr (std::is_same_v<Content, IdentifiedList>) {
                std::ranges::for_each(content.items, append, &IdentifiedElement::element);
            }
        },
        element.content);
    return texts;
}

} // namespace tandry::testing
