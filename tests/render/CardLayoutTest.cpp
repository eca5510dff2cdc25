#include "tests/render/LayoutFixtures.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

using render::LaidOutCard;
using render::LaidOutElement;
using render::Size;

// The card goldens (tests/card/golden) pin how the views' backgrounds, links,
// buttons and lists are laid out; these are the rules they do not show.
TEST(CardLayout, FlexibleFrameFillsItsProposalAndAlignsItsContent) {
    // The padded column is 30 + 28 wide and 15 + 28 tall.
    for (const auto& [alignment, padding] : {std::pair{Alignment::topLeading(), rect(0, 0, 58, 43)},
                                             {Alignment::center(), rect(153, 63.5, 58, 43)}}) {
        SCOPED_TRACE(alignmentName(alignment));
        const Element column = VStack{.alignment = HorizontalAlignment::leading,
                                      .spacing = 0,
                                      .children = {text(letters(5))}};
        const LaidOutCard card =
            layOut(modified(modified(column, Inset{14}), FlexibleFrame{alignment}), Size{364, 170});
        EXPECT_EQ(card.root.frame, rect(0, 0, 364, 170));
        const LaidOutElement& padded = card.root.children.at(0);
        EXPECT_EQ(padded.frame, padding);
        EXPECT_EQ(padded.children.at(0).frame.origin,
                  (render::Point{padding.minX() + 14, padding.minY() + 14}));
    }
}

void expectOnGrid(const LaidOutElement& element, double scale) {
    for (const double edge :
         {element.frame.minX(), element.frame.minY(), element.frame.maxX(), element.frame.maxY()}) {
        EXPECT_NEAR(edge * scale, std::round(edge * scale), 1e-9) << element;
    }
    for (const LaidOutElement& child : element.children) {
        expectOnGrid(child, scale);
    }
}

TEST(CardLayout, RoundsFramesToThePixelGridKeepingNeighboursFlush) {
    // Characters 2.65 wide give edges between pixels at every scale.
    const Element row = HStack{.alignment = VerticalAlignment::center,
                               .spacing = 0,
                               .children = {text("abc", 5.3), text("def", 5.3), text("gh", 5.3)}};
    for (const double scale : {1.0, 2.0, 3.0}) {
        SCOPED_TRACE(scale);
        const LaidOutCard card = layOut(row, Size{100, 21}, LayoutDirection::leftToRight, scale);
        ASSERT_EQ(card.root.children.size(), 3u);
        expectOnGrid(card.root, scale);
        EXPECT_EQ(card.root.children[0].frame.maxX(), card.root.children[1].frame.minX());
        EXPECT_EQ(card.root.children[1].frame.maxX(), card.root.children[2].frame.minX());
    }
}

TEST(CardLayout, SymbolBoxIsTheFontSizeAndAFifthOnThePixelGrid) {
    for (const auto& [fontSize, side] :
         {std::pair{15.0, 18.0}, {11.0, 13.0}, {17.0, 20.5}, {10.0, 12.0}}) {
        SCOPED_TRACE(fontSize);
        EXPECT_EQ(layOut(symbol(fontSize), Size{100, 100}).root.frame.size, (Size{side, side}));
    }
}

} // namespace
} // namespace tandry::testing
