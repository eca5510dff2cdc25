#include "widget/ui/Element.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tandry {
namespace {

// The card goldens print packed colours; components in between round to the
// nearest eight-bit value, out-of-range ones are clamped and opacity is left out.
TEST(Color, TextRoundsAndClampsTheComponents) {
    struct Row {
        Color color;
        const char* text;
    };
    const Row rows[] = {
        {Color::srgb(0.5, 0.5, 0.5), "#808080"},
        {Color::srgb(0.0, 1.0, 0.002), "#00FF01"},
        {Color::srgb(1.2, -0.1, 1.0, 0.3), "#FF00FF"},
        {Color::systemRed(), "systemRed"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(colorText(row.color), row.text);
    }
}

TEST(Alignment, NamesBothAxesTogether) {
    EXPECT_STREQ(alignmentName(Alignment{HorizontalAlignment::trailing, VerticalAlignment::bottom}),
                 "bottomTrailing");
    EXPECT_STREQ(alignmentName(Alignment{HorizontalAlignment::center, VerticalAlignment::top}),
                 "top");
}

// A failing view test prints its trees; modifiers read from the inside out.
TEST(Element, PrintsItsModifiersFromTheInsideOut) {
    const Text title{.string = "Ready",
                     .font = {12, FontWeight::semibold, FontDesign::standard},
                     .color = Color::packed(0x1C1A24),
                     .lineLimit = 1};
    std::ostringstream printed;
    printed << modified(modified(title, Inset{14}), FlexibleFrame{Alignment::topLeading()});
    EXPECT_EQ(printed.str(),
              "Text{\"Ready\" Font{12pt semibold default} #1C1A24 lineLimit 1}.Inset{14}"
              ".FlexibleFrame{maxWidth infinity, maxHeight infinity, topLeading}");
}

} // namespace
} // namespace tandry
