#include "tests/render/LayoutFixtures.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

using render::LaidOutCard;
using render::LaidOutElement;
using render::LaidOutText;
using render::Size;

const LaidOutText& laidOutText(const LaidOutElement& element) {
    return std::get<LaidOutText>(element.kind);
}

// A symbol 16 wide, a one-line title that would like 144, a spacer and a
// fixed-size "3" 8 wide, offered 150: the fixed-size children go first, the
// title truncates to what is left with the spacer's 8 held back, and the
// spacer takes the rest.
TEST(StackLayout, SharesTheWorkedExampleRow) {
    const Element row =
        HStack{.alignment = VerticalAlignment::center,
               .spacing = std::nullopt,
               .children = {symbol(40.0 / 3), text(letters(24)), Spacer{}, fixedText("3", 16)}};
    const LaidOutCard card = layOut(row, Size{150, 40});
    const LaidOutElement& stack = card.root;
    ASSERT_EQ(stack.children.size(), 4u);
    EXPECT_EQ(stack.frame, rect(0, 10, 150, 20));
    EXPECT_EQ(stack.children[0].frame, rect(0, 12, 16, 16));
    EXPECT_EQ(stack.children[1].frame, rect(24, 12.5, 108, 15));
    EXPECT_EQ(stack.children[2].frame, rect(132, 20, 10, 0));
    EXPECT_EQ(stack.children[3].frame, rect(142, 10, 8, 20));

    const LaidOutText& title = laidOutText(stack.children[1]);
    EXPECT_EQ(title.fit, (render::TextFit{110.0, 1}));
    EXPECT_EQ(FixedAdvanceTextMeasurer::setLines(title.text.string, title.text.font, title.fit),
              std::vector<std::string>{letters(17) + "\u2026"});
}

TEST(StackLayout, OffersTheShortestTextItsShareFirst) {
    struct Row {
        const char* name;
        int firstLength;
        int secondLength;
        double firstWidth;
        double secondWidth;
    };
    // Characters are 6 wide; the stack has 200 with an 8 gap.
    const Row rows[] = {
        {"short first leaves the rest to the long one", 10, 34, 60, 132},
        {"both too long share equally", 25, 34, 96, 96},
        {"both fit", 5, 5, 30, 30},
        {"declaration order does not matter", 34, 10, 132, 60},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Element stack =
            HStack{.alignment = VerticalAlignment::center,
                   .spacing = 8,
                   .children = {text(letters(row.firstLength)), text(letters(row.secondLength))}};
        const LaidOutCard card = layOut(stack, Size{200, 50});
        ASSERT_EQ(card.root.children.size(), 2u);
        EXPECT_EQ(card.root.children[0].frame.size.width, row.firstWidth);
        EXPECT_EQ(card.root.children[1].frame.size.width, row.secondWidth);
        EXPECT_EQ(card.root.children[1].frame.origin.x, card.root.children[0].frame.maxX() + 8);
    }
}

TEST(StackLayout, FixedSizeTextKeepsItsWidthBesideATruncatedTitle) {
    struct Row {
        double offered;
        double titleWidth;
        double dueWidth;
    };
    const Row rows[] = {
        // 150 - 8 - 30 leaves 112: eighteen 6-wide characters, ellipsis included.
        {150, 108, 30},
        // No room at all: the title vanishes and the label still overflows whole.
        {20, 0, 30},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.offered);
        const Element stack = HStack{.alignment = VerticalAlignment::center,
                                     .spacing = 8,
                                     .children = {text(letters(40)), fixedText("Mar 12", 10)}};
        const LaidOutCard card = layOut(stack, Size{row.offered, 40});
        ASSERT_EQ(card.root.children.size(), 2u);
        EXPECT_EQ(card.root.children[0].frame.size.width, row.titleWidth);
        EXPECT_EQ(card.root.children[1].frame.size.width, row.dueWidth);
        EXPECT_EQ(card.root.children[1].frame.origin.x - card.root.children[0].frame.maxX(), 8);
    }
}

TEST(StackLayout, TextOfferedNoWidthVanishes) {
    const Element stack = HStack{.alignment = VerticalAlignment::center,
                                 .spacing = 0,
                                 .children = {fixedText(letters(20), 10), text("hello")}};
    const LaidOutCard card = layOut(stack, Size{60, 40});
    ASSERT_EQ(card.root.children.size(), 2u);
    EXPECT_EQ(card.root.children[1].frame.size, (Size{0, 0}));
    EXPECT_EQ(card.root.children[0].frame.size, (Size{100, 12.5}));
}

TEST(StackLayout, SpacersShareTheRemainderEqually) {
    const Element column = VStack{.alignment = HorizontalAlignment::center,
                                  .spacing = std::nullopt,
                                  .children = {Spacer{0.0}, text("Hi"), Spacer{0.0}}};
    const LaidOutCard vertical = layOut(column, Size{100, 100});
    ASSERT_EQ(vertical.root.children.size(), 3u);
    EXPECT_EQ(vertical.root.frame, rect(44, 0, 12, 100));
    EXPECT_EQ(vertical.root.children[0].frame, rect(50, 0, 0, 42.5));
    EXPECT_EQ(vertical.root.children[1].frame, rect(44, 42.5, 12, 15));
    EXPECT_EQ(vertical.root.children[2].frame, rect(50, 57.5, 0, 42.5));

    const Element row =
        HStack{.alignment = VerticalAlignment::center,
               .spacing = std::nullopt,
               .children = {Spacer{0.0}, text("ab"), Spacer{0.0}, text("cd"), Spacer{0.0}}};
    const LaidOutCard horizontal = layOut(row, Size{120, 20});
    ASSERT_EQ(horizontal.root.children.size(), 5u);
    for (const std::size_t spacer : {0u, 2u, 4u}) {
        SCOPED_TRACE(spacer);
        EXPECT_EQ(horizontal.root.children[spacer].frame.size.width, 32);
    }
    EXPECT_EQ(horizontal.root.children[1].frame.origin.x, 32);
    EXPECT_EQ(horizontal.root.children[3].frame.origin.x, 76);
}

TEST(StackLayout, SpacersYieldToFlexibleFrames) {
    // An infinitely flexible frame still comes before a spacer, which keeps
    // only its minimum.
    const Element row =
        HStack{.alignment = VerticalAlignment::center,
               .spacing = 0,
               .children = {modified(text("a"), FlexibleFrame{Alignment::center()}), Spacer{4.0}}};
    const LaidOutCard card = layOut(row, Size{100, 20});
    ASSERT_EQ(card.root.children.size(), 2u);
    EXPECT_EQ(card.root.children[0].frame.size.width, 96);
    EXPECT_EQ(card.root.children[1].frame.size.width, 4);
}

TEST(StackLayout, DefaultGapIsZeroNextToASpacer) {
    struct Row {
        const char* name;
        std::optional<double> spacing;
        std::vector<double> expectedX;
        double spacerWidth;
    };
    const Row rows[] = {
        {"default spacing", std::nullopt, {0, 14, 20, 94}, 74},
        {"explicit spacing applies next to spacers too", 4.0, {0, 10, 20, 94}, 70},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Element stack = HStack{.alignment = VerticalAlignment::center,
                                     .spacing = row.spacing,
                                     .children = {text("a"), text("b"), Spacer{0.0}, text("c")}};
        const LaidOutCard card = layOut(stack, Size{100, 20});
        ASSERT_EQ(card.root.children.size(), 4u);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(card.root.children[i].frame.origin.x, row.expectedX[i]) << "child " << i;
        }
        EXPECT_EQ(card.root.children[2].frame.size.width, row.spacerWidth);
    }
}

TEST(StackLayout, SpacerWithoutMinimumHoldsBackTheDefaultSpacing) {
    // The title truncates at 100 - 8, not at half the row.
    const Element row = HStack{.alignment = VerticalAlignment::center,
                               .spacing = std::nullopt,
                               .children = {text(letters(30)), Spacer{}}};
    const LaidOutCard card = layOut(row, Size{100, 20});
    ASSERT_EQ(card.root.children.size(), 2u);
    EXPECT_EQ(card.root.children[0].frame.size.width, 90);
    EXPECT_EQ(card.root.children[1].frame.size.width, 10);
}

TEST(StackLayout, DefaultVerticalGapsFollowTheTextMetrics) {
    struct Row {
        const char* name;
        Element upper;
        Element lower;
        double gap;
    };
    // Metrics of the fake at size s: line 1.25 s, descent 0.25 s, cap 0.75 s.
    const Row rows[] = {
        // Two texts sit line box to line box (no line gap).
        {"text above text", text("a"), text("b"), 0},
        // Size 12: line 15, a tenth of it on the 0.5 grid 1.5, cap 9:
        // max(15 + 1.5 - 9, 1.5 + 3).
        {"text above a symbol", text("a"), symbol(10), 7.5},
        // Size 10: line 12.5, spare 1.5, descent 2.5.
        {"symbol above text", symbol(10), text("b", 10), 4},
        {"two symbols", symbol(10), symbol(10), 8},
        {"text above a padded text counts as plain", text("a"), modified(text("b", 10), Inset{1}),
         7.5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Element column = VStack{.alignment = HorizontalAlignment::leading,
                                      .spacing = std::nullopt,
                                      .children = {row.upper, row.lower}};
        const LaidOutCard card = layOut(column, Size{200, 200});
        ASSERT_EQ(card.root.children.size(), 2u);
        EXPECT_EQ(card.root.children[1].frame.minY() - card.root.children[0].frame.maxY(), row.gap);
    }
}

TEST(StackLayout, WrapsAndTruncatesTheLastAllowedLine) {
    struct Row {
        const char* name;
        std::optional<int> lineLimit;
        double height;
        std::vector<std::string> lines;
    };
    const std::string sentence = "aaaa bbbb cccc dddd eeee";
    const Row rows[] = {
        {"two lines allowed", 2, 200, {"aaaa bbbb", "cccc dddd\u2026"}},
        {"no limit", std::nullopt, 200, {"aaaa bbbb", "cccc dddd", "eeee"}},
        {"the offered height allows two", std::nullopt, 30, {"aaaa bbbb", "cccc dddd\u2026"}},
        {"too little height still shows one line", std::nullopt, 5, {"aaaa bbbb\u2026"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // Characters are 5 wide: ten fit in the 50 offered.
        const Element column = VStack{.alignment = HorizontalAlignment::leading,
                                      .spacing = 0,
                                      .children = {text(sentence, 10, row.lineLimit)}};
        const LaidOutCard card = layOut(column, Size{50, row.height});
        ASSERT_EQ(card.root.children.size(), 1u);
        const LaidOutElement& laidOut = card.root.children[0];
        const LaidOutText& set = laidOutText(laidOut);
        EXPECT_EQ(FixedAdvanceTextMeasurer::setLines(set.text.string, set.text.font, set.fit),
                  row.lines);
        EXPECT_EQ(laidOut.frame.size.height, 12.5 * static_cast<double>(row.lines.size()));
    }
}

TEST(StackLayout, MeasuresEachTextOncePerDistinctProposal) {
    // Each text is asked for its largest size and then for its share; placing
    // the stack afterwards must reuse both answers instead of measuring again.
    const Element row =
        HStack{.alignment = VerticalAlignment::center,
               .spacing = 8,
               .children = {text(letters(10)), text(letters(20)), text(letters(30))}};
    FixedAdvanceTextMeasurer measurer;
    const render::LaidOutCard card = render::layoutCard(row, Size{200, 40}, measurer);
    EXPECT_EQ(card.root.children.size(), 3u);
    EXPECT_EQ(measurer.measureCount(), 6);
}

} // namespace
} // namespace tandry::testing
