#include "widget/ui/Element.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tandry {
namespace {

TEST(Color, PackedComponentsAreEightBitValuesOver255) {
    const Color violet = Color::packed(0x7C4DE0);
    EXPECT_EQ(violet, Color::srgb(124 / 255.0, 77 / 255.0, 224 / 255.0, 1.0));
    EXPECT_EQ(violet.kind, Color::Kind::srgb);
}

TEST(Color, TextNamesTheSystemRedOrTheRoundedComponents) {
    struct Row {
        Color color;
        const char* text;
    };
    const Row rows[] = {
        {Color::packed(0x7C4DE0), "#7C4DE0"},
        {Color::srgb(0.5, 0.5, 0.5), "#808080"},
        {Color::srgb(0.0, 1.0, 0.002), "#00FF01"},
        // Out-of-range components are clamped, and opacity is not part of it.
        {Color::srgb(1.2, -0.1, 1.0, 0.3), "#FF00FF"},
        {Color::systemRed(), "systemRed"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(colorText(row.color), row.text);
    }
}

TEST(Alignment, NamesBothAxesTogether) {
    EXPECT_STREQ(alignmentName(Alignment::topLeading()), "topLeading");
    EXPECT_STREQ(alignmentName(Alignment::center()), "center");
    EXPECT_STREQ(alignmentName(Alignment{HorizontalAlignment::trailing, VerticalAlignment::bottom}),
                 "bottomTrailing");
    EXPECT_STREQ(alignmentName(Alignment{HorizontalAlignment::center, VerticalAlignment::top}),
                 "top");
}

TEST(Element, ModifiersApplyFromTheInsideOut) {
    const Text title{.string = "Ready",
                     .font = {12, FontWeight::semibold, FontDesign::standard},
                     .color = Color::packed(0x1C1A24),
                     .lineLimit = 1,
                     .fixedSize = false};
    const Element padThenFrame =
        modified(modified(title, Inset{14}), FlexibleFrame{Alignment::topLeading()});
    const Element frameThenPad =
        modified(modified(title, FlexibleFrame{Alignment::topLeading()}), Inset{14});
    EXPECT_NE(padThenFrame, frameThenPad);
    ASSERT_EQ(padThenFrame.modifiers.size(), 2u);
    EXPECT_EQ(padThenFrame.modifiers.front(), Modifier(Inset{14}));

    std::ostringstream printed;
    printed << padThenFrame;
    EXPECT_EQ(printed.str(),
              "Text{\"Ready\" Font{12pt semibold default} #1C1A24 lineLimit 1}.Inset{14}"
              ".FlexibleFrame{maxWidth infinity, maxHeight infinity, topLeading}");
}

} // namespace
} // namespace tandry
