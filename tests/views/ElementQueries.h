#pragma once

#include "widget/ui/Element.h"

#include <string>
#include <type_traits>
#include <vector>

namespace tandry::testing {

// Every element of a view tree, depth first in child order, with identified
// lists opened up as the layout opens them.
inline void collectElements(const Element& element, std::vector<const Element*>& out) {
    out.push_back(&element);
    std::visit(
        [&](const auto& content) {
            using Content = std::decay_t<decltype(content)>;
            if constexpr (std::is_same_v<Content, VStack> || std::is_same_v<Content, HStack>) {
                for (const Element& child : content.children) {
                    collectElements(child, out);
                }
            } else if constexpr (std::is_same_v<Content, IdentifiedList>) {
                for (const IdentifiedElement& item : content.items) {
                    collectElements(item.element, out);
                }
            }
        },
        element.content);
}

// The texts of a tree in order.
inline std::vector<Text> textsOf(const Element& root) {
    std::vector<const Element*> elements;
    collectElements(root, elements);
    std::vector<Text> texts;
    for (const Element* element : elements) {
        if (const auto* text = std::get_if<Text>(&element->content)) {
            texts.push_back(*text);
        }
    }
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
