#pragma once

#include "platform/render/CardLayout.h"
#include "tests/support/FixedAdvanceTextMeasurer.h"

#include <optional>
#include <string>

namespace tandry::testing {

// Texts for layout tests. With the fixed-advance measurer a character is
// half the font size wide and a line 1.25 times the font size tall.
inline Text text(std::string string, double size = 12, std::optional<int> lineLimit = 1,
                 bool fixedSize = false) {
    return Text{.string = std::move(string),
                .font = {size, FontWeight::regular, FontDesign::standard},
                .color = Color::packed(0x1C1A24),
                .lineLimit = lineLimit,
                .fixedSize = fixedSize};
}

inline Text fixedText(std::string string, double size) {
    return text(std::move(string), size, 1, true);
}

// A run of `count` letters, so that widths read as counts of characters.
inline std::string letters(int count) {
    return std::string(static_cast<std::size_t>(count), 'a');
}

inline SymbolImage symbol(double size) {
    return SymbolImage{.name = "circle",
                       .font = {size, FontWeight::regular, FontDesign::standard},
                       .color = Color::packed(0x7C4DE0)};
}

inline render::LaidOutCard layOut(const Element& root, render::Size size,
                                  LayoutDirection direction = LayoutDirection::leftToRight,
                                  double scale = 2) {
    FixedAdvanceTextMeasurer measurer;
    return render::layoutCard(root, size, measurer, render::LayoutOptions{scale, direction});
}

inline render::Rect rect(double x, double y, double width, double height) {
    return render::Rect{{x, y}, {width, height}};
}

} // namespace tandry::testing
