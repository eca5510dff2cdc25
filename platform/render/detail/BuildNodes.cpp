// Step 1 of layout: the working tree. Identified lists dissolve into the
// stack that holds them, as if their items were written out there, and each
// modifier becomes a node around what it modifies.
#include "platform/render/detail/LayoutNode.h"

#include <type_traits>

namespace tandry::render::detail {

namespace {

LayoutNode wrap(LaidOutKind kind, LayoutNode content) {
    LayoutNode node{.kind = std::move(kind)};
    node.children.push_back(std::move(content));
    return node;
}

LayoutNode applyModifiers(LayoutNode node, const std::vector<Modifier>& modifiers) {
    for (const Modifier& modifier : modifiers) {
        node = std::visit(
            [&node](const auto& value) {
                if constexpr (std::is_same_v<std::decay_t<decltype(value)>,
                                             NumericContentTransition>) {
                    // An animation hint: it marks the node and takes no room.
                    node.contentTransition = value;
                    return std::move(node);
                } else {
                    return wrap(value, std::move(node));
                }
            },
            modifier);
    }
    return node;
}

// A list item: the element with the list's own modifiers applied to it, as a
// modifier on a list applies to each of its items.
LayoutNode buildItem(const IdentifiedElement& item, const std::vector<Modifier>& listModifiers,
                     std::optional<Axis> stackAxis) {
    LayoutNode node = applyModifiers(buildNode(item.element, stackAxis), listModifiers);
    node.identity = item.id;
    return node;
}

std::vector<LayoutNode> buildChildren(const std::vector<Element>& elements, Axis axis) {
    std::vector<LayoutNode> children;
    children.reserve(elements.size());
    for (const Element& element : elements) {
        if (const auto* list = std::get_if<IdentifiedList>(&element.content)) {
            for (const IdentifiedElement& item : list->items) {
                children.push_back(buildItem(item, element.modifiers, axis));
            }
        } else {
            children.push_back(buildNode(element, axis));
        }
    }
    return children;
}

template <typename Stack> LayoutNode buildStack(const Stack& stack, Axis axis) {
    Stack attributes{.alignment = stack.alignment, .spacing = stack.spacing, .children = {}};
    return LayoutNode{.kind = std::move(attributes),
                      .children = buildChildren(stack.children, axis)};
}

LayoutNode buildContent(const ElementContent& content, std::optional<Axis> stackAxis) {
    struct Builder {
        std::optional<Axis> stackAxis;

        LayoutNode operator()(const VStack& stack) const {
            return buildStack(stack, Axis::vertical);
        }
        LayoutNode operator()(const HStack& stack) const {
            return buildStack(stack, Axis::horizontal);
        }
        LayoutNode operator()(const Spacer& spacer) const {
            return LayoutNode{.kind = spacer, .stackAxis = stackAxis};
        }
        LayoutNode operator()(const Text& text) const {
            return LayoutNode{.kind = LaidOutText{.text = text, .fit = {}}};
        }
        LayoutNode operator()(const SymbolImage& symbol) const {
            return LayoutNode{.kind = symbol};
        }
        LayoutNode operator()(const IdentifiedList& list) const {
            // A list on its own lays its items out like a vertical stack.
            VStack stack;
            LayoutNode node{.kind = std::move(stack)};
            for (const IdentifiedElement& item : list.items) {
                node.children.push_back(buildItem(item, {}, Axis::vertical));
            }
            return node;
        }
    };
    return std::visit(Builder{stackAxis}, content);
}

} // namespace

LayoutNode buildNode(const Element& element, std::optional<Axis> stackAxis) {
    return applyModifiers(buildContent(element.content, stackAxis), element.modifiers);
}

} // namespace tandry::render::detail
