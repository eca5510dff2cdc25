#include "widget/ui/Element.h"

#include <gtest/gtest.h>
#include <utility>

namespace tandry {
namespace {

// The card goldens print packed colours; components in between round to the
// nearest eight-bit value, out-of-range ones are clamped and opacity is left out.
TEST(Color, TextRoundsAndClampsTheComponents) {
    const std::pair<Color, const char*> rows[] = {
        {Color::srgb(0.5, 0.5, 0.5), "#808080"},
        {Color::srgb(0.0, 1.0, 0.002), "#00FF01"},
        {Color::srgb(1.2, -0.1, 1.0, 0.3), "#FF00FF"},
        {Color::systemRed(), "systemRed"},
    };
    for (const auto& [color, text] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(colorText(color), text);
    }
}

} // namespace
} // namespace tandry
