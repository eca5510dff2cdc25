#include "widget/ui/Alignment.h"

#include <ostream>

namespace tandry {

const char* alignmentName(HorizontalAlignment alignment) {
    switch (alignment) {
    case HorizontalAlignment::leading:
        return "leading";
    case HorizontalAlignment::center:
        return "center";
    case HorizontalAlignment::trailing:
        return "trailing";
    }
    return "center";
}

const char* alignmentName(VerticalAlignment alignment) {
    switch (alignment) {
    case VerticalAlignment::top:
        return "top";
    case VerticalAlignment::center:
        return "center";
    case VerticalAlignment::bottom:
        return "bottom";
    }
    return "center";
}

const char* alignmentName(Alignment alignment) {
    // Indexed [vertical][horizontal], in the order of the enumerations.
    static constexpr const char* names[3][3] = {
        {"topLeading", "top", "topTrailing"},
        {"leading", "center", "trailing"},
        {"bottomLeading", "bottom", "bottomTrailing"},
    };
    return names[static_cast<int>(alignment.vertical)][static_cast<int>(alignment.horizontal)];
}

std::ostream& operator<<(std::ostream& out, HorizontalAlignment alignment) {
    return out << alignmentName(alignment);
}

std::ostream& operator<<(std::ostream& out, VerticalAlignment alignment) {
    return out << alignmentName(alignment);
}

std::ostream& operator<<(std::ostream& out, Alignment alignment) {
    return out << alignmentName(alignment);
}

} // namespace tandry
