#pragma once

#include "widget/ui/Color.h"
#include "widget/ui/Font.h"

#include <iosfwd>
#include <string>

namespace tandry {

// A system symbol by name ("circle"); its font's size and weight set the
// symbol's size and stroke.
struct SymbolImage {
    std::string name;
    Font font;
    Color color;

    bool operator==(const SymbolImage&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SymbolImage& symbol);

} // namespace tandry
