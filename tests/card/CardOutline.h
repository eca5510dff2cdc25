#pragma once

#include "platform/render/TreeDump.h"

#include <fmt/format.h>
#include <functional>
#include <string>
#include <vector>

namespace tandry::testing {

// The laid-out tree as text, one node a line, indented by depth: the kind,
// the frame as [x y width height] and the node's attributes as the tree dump
// writes them. Short enough to read a whole card in a diff.
inline void appendOutline(const nlohmann::ordered_json& node, int depth, std::string& out) {
    const auto& frame = node["frame"];
    out += fmt::format("{:{}}{} [{} {} {} {}]", "", depth * 2, node["kind"].get<std::string>(),
                       frame[0].get<double>(), frame[1].get<double>(), frame[2].get<double>(),
                       frame[3].get<double>());
    for (const auto& [key, value] : node.items()) {
        if (key != "kind" && key != "frame" && key != "children") {
            out += fmt::format(" {}={}", key, value.dump());
        }
    }
    out += '\n';
    for (const auto& child : node["children"]) {
        appendOutline(child, depth + 1, out);
    }
}

inline std::string outline(const render::LaidOutElement& root) {
    std::string out;
    appendOutline(render::laidOutTreeJson(root), 0, out);
    return out;
}

// Every node of the tree that `matches`, depth first.
inline std::vector<const render::LaidOutElement*>
findAll(const render::LaidOutElement& root,
        const std::function<bool(const render::LaidOutElement&)>& matches) {
    std::vector<const render::LaidOutElement*> found;
    std::function<void(const render::LaidOutElement&)> visit = [&](const auto& node) {
        if (matches(node)) {
            found.push_back(&node);
        }
        for (const auto& child : node.children) {
            visit(child);
        }
    };
    visit(root);
    return found;
}

// The laid-out texts whose string is `string`.
inline std::vector<const render::LaidOutElement*> textsNamed(const render::LaidOutElement& root,
                                                             const std::string& string) {
    return findAll(root, [&](const render::LaidOutElement& node) {
        const auto* text = std::get_if<render::LaidOutText>(&node.kind);
        return text && text->text.string == string;
    });
}

} // namespace tandry::testing
