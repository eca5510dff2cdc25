#pragma once

#include <iosfwd>

namespace tandry {

enum class FontWeight { regular, medium, semibold, bold };

// The platform's font designs; `standard` is the platform's default design.
enum class FontDesign { standard, rounded, monospaced, serif };

// The system font at a size in points; texts and symbol images are sized by it.
struct Font {
    double size = 17;
    FontWeight weight = FontWeight::regular;
    FontDesign design = FontDesign::standard;

    bool operator==(const Font&) const = default;
};

// Lower-case names as the tree dump writes them ("semibold", "default").
const char* weightName(FontWeight weight);
const char* designName(FontDesign design);

std::ostream& operator<<(std::ostream& out, FontWeight weight);
std::ostream& operator<<(std::ostream& out, FontDesign design);
std::ostream& operator<<(std::ostream& out, const Font& font);

} // namespace tandry
