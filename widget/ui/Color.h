#pragma once

#include <iosfwd>
#include <string>

namespace tandry {

// A colour as the layouts name it: either explicit sRGB components with an
// opacity, or the platform's system red, whose shade the renderer picks for
// the colour scheme it draws in.
struct Color {
    enum class Kind { srgb, systemRed };

    Kind kind = Kind::srgb;
    // Components in 0...1; meaningful only for `Kind::srgb`.
    double red = 0;
    double green = 0;
    double blue = 0;
    double opacity = 1;

    bool operator==(const Color&) const = default;

    static Color srgb(double red, double green, double blue, double opacity = 1) {
        return Color{Kind::srgb, red, green, blue, opacity};
    }
    // The colour whose 8-bit components are packed as 0xRRGGBB, opaque.
    static Color packed(unsigned rgb) {
        return srgb(((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                    (rgb & 0xFF) / 255.0);
    }
    static Color systemRed() { return Color{Kind::systemRed}; }
};

// "systemRed", or "#RRGGBB" with each component rounded to 8 bits (the
// opacity is not part of it).
std::string colorText(const Color& color);

std::ostream& operator<<(std::ostream& out, const Color& color);

} // namespace tandry
