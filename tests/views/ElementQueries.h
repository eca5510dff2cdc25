#pragma once

#include "widget/ui/Element.h"

#include <functional>
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

inline std::vector<const Element*> allElements(const Element& root) {
    std::vector<const Element*> out;
    collectElements(root, out);
    return out;
}

// The texts of a tree in order.
inline std::vector<Text> textsOf(const Element& root) {
    std::vector<Text> texts;
    for (const Element* element : allElements(root)) {
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

// The modifiers of that kind anywhere in the tree, in order.
template <typename Kind> std::vector<Kind> modifiersOf(const Element& root) {
    std::vector<Kind> found;
    for (const Element* element : allElements(root)) {
        for (const Modifier& modifier : element->modifiers) {
            if (const auto* kind = std::get_if<Kind>(&modifier)) {
                found.push_back(*kind);
            }
        }
    }
    return found;
}

} // namespace tandry::testing
