#pragma once

#include "widget/ui/Element.h"

#include <string>
#include <type_traits>
#include <vector>

namespace tandry::testing {

// The texts of a view tree, depth first in child order, with identified lists
// opened up as the layout opens them.
inline void collectTexts(const Element& element, std::vector<Text>& out) {
    std::visit(
        [&](const auto& content) {
            using Content = std::decay_t<decltype(content)>;
            if constexpr (std::is_same_v<Content, Text>) {
                out.push_back(content);
            } else if constexpr (std::is_same_v<Content, VStack> ||
                                 std::is_same_v<Content, HStack>) {
                for (const Element& child : content.children) {
                    collectTexts(child, out);
                }
            } else if constexpr (std::is_same_v<Content, IdentifiedList>) {
                for (const IdentifiedElement& item : content.items) {
                    collectTexts(item.element, out);
                }
            }
        },
        element.content);
}

inline std::vector<Text> textsOf(const Element& root) {
    std::vector<Text> texts;
    collectTexts(root, texts);
    return texts;
}

inline std::vector<std::string> stringsOf(const Element& root) {
    std::vector<std::string> strings;
    for (const Text& text : textsOf(root)) {
        strings.push_back(text.string);
    }
    return strings;
}

} // namespace tandry::testing
