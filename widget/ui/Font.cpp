#include "widget/ui/Font.h"

#include <ostream>

namespace tandry {

const char* weightName(FontWeight weight) {
    switch (weight) {
    case FontWeight::regular:
        return "regular";
    case FontWeight::medium:
        return "medium";
    case FontWeight::semibold:
        return "semibold";
    case FontWeight::bold:
        return "bold";
    }
    return "regular";
}

const char* designName(FontDesign design) {
    switch (design) {
    case FontDesign::standard:
        return "default";
    case FontDesign::rounded:
        return "rounded";
    case FontDesign::monospaced:
        return "monospaced";
    case FontDesign::serif:
        return "serif";
    }
    return "default";
}

std::ostream& operator<<(std::ostream& out, FontWeight weight) {
    return out << weightName(weight);
}

std::ostream& operator<<(std::ostream& out, FontDesign design) {
    return out << designName(design);
}

std::ostream& operator<<(std::ostream& out, const Font& font) {
    return out << "Font{" << font.size << "pt " << font.weight << ' ' << font.design << '}';
}

} // namespace tandry
