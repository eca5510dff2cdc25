#include "platform/render/TreeDump.h"

#include <fmt/format.h>
#include <ostream>

namespace tandry::render {

namespace {

using Json = nlohmann::ordered_json;

Json fontJson(const Font& font) {
    return Json{{"size", font.size},
                {"weight", weightName(font.weight)},
                {"design", designName(font.design)}};
}

Json colorJson(const Color& color) {
    return colorText(color);
}

// Lengths that fall back to the platform default are written as "default".
Json lengthOrDefault(const std::optional<double>& length) {
    return length ? Json(*length) : Json("default");
}

void addColor(Json& object, const Color& color) {
    object["color"] = colorJson(color);
    if (color.kind == Color::Kind::srgb && color.opacity != 1) {
        object["opacity"] = color.opacity;
    }
}

struct Attributes {
    Json& object;

    void operator()(const VStack& stack) const {
        object["alignment"] = alignmentName(stack.alignment);
        object["spacing"] = lengthOrDefault(stack.spacing);
    }
    void operator()(const HStack& stack) const {
        object["alignment"] = alignmentName(stack.alignment);
        object["spacing"] = lengthOrDefault(stack.spacing);
    }
    void operator()(const Spacer& spacer) const {
        object["minLength"] = lengthOrDefault(spacer.minLength);
    }
    void operator()(const LaidOutText& laidOut) const {
        const Text& text = laidOut.text;
        object["text"] = text.string;
        object["font"] = fontJson(text.font);
        addColor(object, text.color);
        object["lineLimit"] = text.lineLimit ? Json(*text.lineLimit) : Json(nullptr);
        object["fixedSize"] = text.fixedSize;
    }
    void operator()(const SymbolImage& symbol) const {
        object["name"] = symbol.name;
        object["font"] = fontJson(symbol.font);
        addColor(object, symbol.color);
    }
    void operator()(const IntentButton& button) const {
        object["intent"] = Json{{"type", button.intent.type}, {"taskID", button.intent.parameter}};
        object["style"] = "plain";
        object["accessibilityLabel"] = button.accessibilityLabel;
    }
    void operator()(const FlexibleFrame& frame) const {
        object["maxWidth"] = "infinity";
        object["maxHeight"] = "infinity";
        object["alignment"] = alignmentName(frame.alignment);
    }
    void operator()(const Inset& inset) const { object["length"] = inset.length; }
    void operator()(const ContainerBackground& background) const {
        addColor(object, background.color);
    }
    void operator()(const ClickThroughUrl& link) const {
        object["url"] = link.url ? Json(*link.url) : Json(nullptr);
    }
};

} // namespace

Json laidOutTreeJson(const LaidOutElement& root) {
    Json object;
    object["kind"] = kindName(root.kind);
    const Rect& frame = root.frame;
    object["frame"] =
        Json::array({frame.origin.x, frame.origin.y, frame.size.width, frame.size.height});
    if (root.identity) {
        object["id"] = uuidText(*root.identity);
    }
    std::visit(Attributes{object}, root.kind);
    if (root.contentTransition) {
        object["contentTransition"] = root.contentTransition->direction == CountDirection::down
                                          ? "numericCountsDown"
                                          : "numericCountsUp";
    }
    Json children = Json::array();
    for (const LaidOutElement& child : root.children) {
        children.push_back(laidOutTreeJson(child));
    }
    object["children"] = std::move(children);
    return object;
}

Result<std::string> dumpLaidOutTree(const LaidOutElement& root) {
    try {
        return laidOutTreeJson(root).dump(2) + "\n";
    } catch (const nlohmann::json::exception& exception) {
        return fail(fmt::format("cannot write the laid-out tree: {}", exception.what()));
    }
}

std::ostream& operator<<(std::ostream& out, const LaidOutElement& element) {
    // Bytes that are not UTF-8 are shown replaced rather than thrown over.
    return out << '\n'
               << laidOutTreeJson(element).dump(2, ' ', false, Json::error_handler_t::replace);
}

std::ostream& operator<<(std::ostream& out, const LaidOutCard& card) {
    return out << "card " << card.size << card.root;
}

} // namespace tandry::render
