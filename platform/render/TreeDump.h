#pragma once

#include "platform/render/LaidOutElement.h"
#include "widget/system/Error.h"

#include <nlohmann/json.hpp>
#include <string>

namespace tandry::render {

// The laid-out tree as JSON: one object per node with "kind", "frame"
// ([x, y, width, height] in points from the card's top-left corner), the
// node's attributes and "children".
nlohmann::ordered_json laidOutTreeJson(const LaidOutElement& root);

// The tree's JSON text, indented by two spaces per level; fails only on a
// string that is not valid UTF-8.
Result<std::string> dumpLaidOutTree(const LaidOutElement& root);

} // namespace tandry::render
