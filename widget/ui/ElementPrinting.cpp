// How element values print in test failures: the kind, its attributes, its
// children in brackets and then its modifiers from the inside out, so a tree
// reads much as it was built.
#include "widget/ui/Element.h"

#include <ostream>
#include <string>

namespace tandry {

namespace {

void printSpacing(std::ostream& out, const std::optional<double>& spacing) {
    if (spacing) {
        out << " spacing " << *spacing;
    } else {
        out << " spacing default";
    }
}

template <typename Stack> void printChildren(std::ostream& out, const Stack& stack) {
    out << " [";
    for (std::size_t i = 0; i < stack.children.size(); ++i) {
        out << (i == 0 ? "" : ", ") << stack.children[i];
    }
    out << ']';
}

} // namespace

std::ostream& operator<<(std::ostream& out, const VStack& stack) {
    out << "VStack{" << stack.alignment;
    printSpacing(out, stack.spacing);
    printChildren(out, stack);
    return out << '}';
}

std::ostream& operator<<(std::ostream& out, const HStack& stack) {
    out << "HStack{" << stack.alignment;
    printSpacing(out, stack.spacing);
    printChildren(out, stack);
    return out << '}';
}

std::ostream& operator<<(std::ostream& out, const Spacer& spacer) {
    out << "Spacer{minLength ";
    if (spacer.minLength) {
        out << *spacer.minLength;
    } else {
        out << "default";
    }
    return out << '}';
}

std::ostream& operator<<(std::ostream& out, const Text& text) {
    out << "Text{\"" << text.string << "\" " << text.font << ' ' << text.color;
    if (text.lineLimit) {
        out << " lineLimit " << *text.lineLimit;
    }
    if (text.fixedSize) {
        out << " fixedSize";
    }
    return out << '}';
}

std::ostream& operator<<(std::ostream& out, const SymbolImage& symbol) {
    return out << "SymbolImage{\"" << symbol.name << "\" " << symbol.font << ' ' << symbol.color
               << '}';
}

std::ostream& operator<<(std::ostream& out, const IdentifiedList& list) {
    out << "IdentifiedList{";
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        out << (i == 0 ? "" : ", ") << list.items[i];
    }
    return out << '}';
}

std::ostream& operator<<(std::ostream& out, const Inset& inset) {
    return out << "Inset{" << inset.length << '}';
}

std::ostream& operator<<(std::ostream& out, const FlexibleFrame& frame) {
    return out << "FlexibleFrame{maxWidth infinity, maxHeight infinity, " << frame.alignment << '}';
}

std::ostream& operator<<(std::ostream& out, const IntentReference& intent) {
    return out << intent.type << "{\"" << intent.parameter << "\"}";
}

std::ostream& operator<<(std::ostream& out, const IntentButton& button) {
    return out << "IntentButton{" << button.intent << " accessibilityLabel \""
               << button.accessibilityLabel << "\" plain}";
}

std::ostream& operator<<(std::ostream& out, const NumericContentTransition& transition) {
    return out << "NumericContentTransition{counts "
               << (transition.direction == CountDirection::down ? "down" : "up") << '}';
}

std::ostream& operator<<(std::ostream& out, const ContainerBackground& background) {
    return out << "ContainerBackground{" << background.color << ' ' << background.alignment << '}';
}

std::ostream& operator<<(std::ostream& out, const ClickThroughUrl& link) {
    return out << "ClickThroughUrl{" << link.url.value_or("none") << '}';
}

std::ostream& operator<<(std::ostream& out, const Modifier& modifier) {
    std::visit([&out](const auto& value) { out << value; }, modifier);
    return out;
}

std::ostream& operator<<(std::ostream& out, const ElementContent& content) {
    std::visit([&out](const auto& value) { out << value; }, content);
    return out;
}

std::ostream& operator<<(std::ostream& out, const Element& element) {
    out << element.content;
    for (const Modifier& modifier : element.modifiers) {
        out << '.' << modifier;
    }
    return out;
}

std::ostream& operator<<(std::ostream& out, const IdentifiedElement& item) {
    return out << item.id << ": " << item.element;
}

} // namespace tandry
