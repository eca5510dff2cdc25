#pragma once

#include "widget/store/Uuid.h"
#include "widget/ui/IdentifiedList.h"
#include "widget/ui/Modifier.h"
#include "widget/ui/Spacer.h"
#include "widget/ui/Stack.h"
#include "widget/ui/SymbolImage.h"
#include "widget/ui/Text.h"

#include <concepts>
#include <iosfwd>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace tandry {

using ElementContent = std::variant<VStack, HStack, Spacer, Text, SymbolImage, IdentifiedList>;

// One node of a view tree: what it shows, wrapped by its modifiers. The
// modifiers apply from the inside out, so `modifiers.front()` wraps the
// content directly and `modifiers.back()` is the outermost.
struct Element {
    ElementContent content;
    std::vector<Modifier> modifiers;

    // Any element kind converts to an element without modifiers, so that
    // children read as `{Text{...}, Spacer{}}`.
    template <typename Content>
    requires(!std::same_as<std::remove_cvref_t<Content>, Element> &&
             std::constructible_from<ElementContent, Content&&>) Element(Content&& content);

    Element(ElementContent content, std::vector<Modifier> modifiers);

    bool operator==(const Element&) const = default;
};

// One element of an identified list with its identity.
struct IdentifiedElement {
    Uuid id;
    Element element;

    bool operator==(const IdentifiedElement&) const = default;
};

// The constructors are defined where IdentifiedElement is complete: moving
// the content may destroy an identified list, and clang checks that its
// elements are destructible where the constructor is defined.
template <typename Content>
requires(!std::same_as<std::remove_cvref_t<Content>, Element> &&
         std::constructible_from<ElementContent, Content&&>) Element::Element(Content&& content)
    : content(std::forward<Content>(content)) {}

inline Element::Element(ElementContent content, std::vector<Modifier> modifiers)
    : content(std::move(content)), modifiers(std::move(modifiers)) {}

// `element` wrapped by one more, outermost modifier.
inline Element modified(Element element, Modifier modifier) {
    element.modifiers.push_back(std::move(modifier));
    return element;
}

std::ostream& operator<<(std::ostream& out, const ElementContent& content);
std::ostream& operator<<(std::ostream& out, const Element& element);
std::ostream& operator<<(std::ostream& out, const IdentifiedElement& item);

} // namespace tandry
