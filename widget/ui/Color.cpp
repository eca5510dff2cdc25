#include "widget/ui/Color.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

namespace tandry {

namespace {

int eightBits(double component) {
    return static_cast<int>(std::lround(std::clamp(component, 0.0, 1.0) * 255.0));
}

} // namespace

std::string colorText(const Color& color) {
    if (color.kind == Color::Kind::systemRed) {
        return "systemRed";
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", eightBits(color.red), eightBits(color.green),
                  eightBits(color.blue));
    return text;
}

std::ostream& operator<<(std::ostream& out, const Color& color) {
    out << colorText(color);
    if (color.kind == Color::Kind::srgb && color.opacity != 1) {
        out << " opacity " << color.opacity;
    }
    return out;
}

} // namespace tandry
