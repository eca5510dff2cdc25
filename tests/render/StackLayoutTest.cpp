#include "tests/render/LayoutFixtures.h"

#include <gtest/gtest.h>
#include <tuple>

namespace tandry::testing {
namespace {

using render::LaidOutCard;
using render::LaidOutElement;
using render::LaidOutText;
using render::Size;

// With the fixed-advance measurer a character is half the font size wide:
// 6 points at the texts' default size of 12.
TEST(StackLayout, DistributesAHorizontalStacksWidth) {
    const std::optional<double> standard;
    const Element flexible = modified(text("a"), FlexibleFrame{Alignment::center()});
    const Element dueLabel = fixedText("Mar 12", 10);
    // Per row: the spacing, the children, the width offered, and the widths
    // the children get and the gaps from each one's trailing edge to the
    // next one's leading edge.
    using Row = std::tuple<std::optional<double>, std::vector<Element>, double, std::vector<double>,
                           std::vector<double>>;
    const Row rows[] = {
        // 0. The worked example: the fixed sizes first, the spacer's 8 held
        //    back, the title truncated to what is left.
        {standard,
         {symbol(40.0 / 3), text(letters(24)), Spacer{}, fixedText("3", 16)},
         150,
         {16, 108, 10, 8},
         {8, 0, 0}},
        // 1-4. The shorter text first, the rest to the long one, in any order;
        //      two long texts share equally, texts that fit take their width.
        {8.0, {text(letters(10)), text(letters(34))}, 200, {60, 132}, {8}},
        {8.0, {text(letters(34)), text(letters(10))}, 200, {132, 60}, {8}},
        {8.0, {text(letters(25)), text(letters(34))}, 200, {96, 96}, {8}},
        {8.0, {text(letters(5)), text(letters(5))}, 200, {30, 30}, {8}},
        // 5-6. A fixed-size label keeps its width beside a truncated title;
        //      without room the title vanishes and the label overflows whole.
        {8.0, {text(letters(40)), dueLabel}, 150, {108, 30}, {8}},
        {8.0, {text(letters(40)), dueLabel}, 20, {0, 30}, {8}},
        // 7. A text offered no width vanishes.
        {0.0, {fixedText(letters(20), 10), text("hello")}, 60, {100, 0}, {0}},
        // 8. Spacers share the remainder equally.
        {standard,
         {Spacer{0.0}, text("ab"), Spacer{0.0}, text("cd"), Spacer{0.0}},
         120,
         {32, 12, 32, 12, 32},
         {0, 0, 0, 0}},
        // 9. A flexible frame comes before a spacer, which keeps its minimum.
        {0.0, {flexible, Spacer{4.0}}, 100, {96, 4}, {0}},
        // 10-11. The default gap is zero next to a spacer; explicit spacing
        //        applies there too.
        {standard, {text("a"), text("b"), Spacer{0.0}, text("c")}, 100, {6, 6, 74, 6}, {8, 0, 0}},
        {4.0, {text("a"), text("b"), Spacer{0.0}, text("c")}, 100, {6, 6, 70, 6}, {4, 4, 4}},
        // 12. A spacer without minimum holds back the default spacing.
        {standard, {text(letters(30)), Spacer{}}, 100, {90, 10}, {0}},
    };
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        SCOPED_TRACE(::testing::Message() << "row " << row);
        const auto& [spacing, children, offered, expectedWidths, expectedGaps] = rows[row];
        const Element stack = HStack{
            .alignment = VerticalAlignment::center, .spacing = spacing, .children = children};
        const LaidOutCard card = layOut(stack, Size{offered, 40});
        const LaidOutCard mirroredCard =
            layOut(stack, Size{offered, 40}, LayoutDirection::rightToLeft);
        const auto& laidOut = card.root.children;
        const auto& mirrored = mirroredCard.root.children;
        std::vector<double> widths;
        std::vector<double> gaps;
        for (std::size_t i = 0; i < laidOut.size(); ++i) {
            widths.push_back(laidOut[i].frame.size.width);
            if (i > 0) {
                gaps.push_back(laidOut[i].frame.minX() - laidOut[i - 1].frame.maxX());
            }
            // Right to left, the row runs from the right edge.
            const render::Rect frame = laidOut[i].frame;
            const double edges = card.root.frame.minX() + card.root.frame.maxX();
            EXPECT_EQ(mirrored.at(i).frame, rect(edges - frame.maxX(), frame.minY(),
                                                 frame.size.width, frame.size.height));
        }
        EXPECT_EQ(widths, expectedWidths);
        EXPECT_EQ(gaps, expectedGaps);
    }
}

// The worked example's row centred vertically, its title truncated to fit;
// right to left, a leading-aligned column hugs the right edge.
TEST(StackLayout, PositionsTheWorkedExample) {
    const Element row =
        HStack{.alignment = VerticalAlignment::center,
               .spacing = std::nullopt,
               .children = {symbol(40.0 / 3), text(letters(24)), Spacer{}, fixedText("3", 16)}};
    const LaidOutCard card = layOut(row, Size{150, 40});
    EXPECT_EQ(card.root.frame, rect(0, 10, 150, 20));
    std::vector<render::Rect> frames;
    for (const LaidOutElement& child : card.root.children) {
        frames.push_back(child.frame);
    }
    EXPECT_EQ(frames, (std::vector{rect(0, 12, 16, 16), rect(24, 12.5, 108, 15),
                                   rect(132, 20, 10, 0), rect(142, 10, 8, 20)}));
    const LaidOutText& title = std::get<LaidOutText>(card.root.children[1].kind);
    EXPECT_EQ(title.fit, (render::TextFit{110.0, 1}));
    EXPECT_EQ(FixedAdvanceTextMeasurer::setLines(title.text.string, title.text.font, title.fit),
              std::vector<std::string>{letters(17) + "\u2026"});

    const Element column = modified(VStack{.alignment = HorizontalAlignment::leading,
                                           .spacing = 0,
                                           .children = {text("ab"), text("abcd")}},
                                    FlexibleFrame{Alignment::topLeading()});
    const LaidOutCard leading = layOut(column, Size{100, 50}, LayoutDirection::rightToLeft);
    const LaidOutElement& stack = leading.root.children.at(0);
    EXPECT_EQ(stack.frame, rect(76, 0, 24, 30));
    EXPECT_EQ(stack.children.at(0).frame, rect(88, 0, 12, 15));
    EXPECT_EQ(stack.children.at(1).frame, rect(76, 15, 24, 15));
}

TEST(StackLayout, DefaultVerticalGapsFollowTheTextMetrics) {
    // Metrics of the fake at size s: line 1.25 s, descent 0.25 s, cap 0.75 s.
    const std::tuple<const char*, Element, Element, double> rows[] = {
        // Two texts sit line box to line box (no line gap).
        {"text above text", text("a"), text("b"), 0},
        // Size 12: line 15, a tenth of it on the 0.5 grid 1.5, cap 9:
        // max(15 + 1.5 - 9, 1.5 + 3).
        {"text above a symbol", text("a"), symbol(10), 7.5},
        // Size 10: line 12.5, spare 1.5, descent 2.5.
        {"symbol above text", symbol(10), text("b", 10), 4},
        {"two symbols", symbol(10), symbol(10), 8},
        {"a padded text below counts as plain", text("a"), modified(text("b", 10), Inset{1}), 7.5},
        // A stack shows its last child's edge below it, and a row of texts
        // counts as text at the largest of their sizes.
        {"a column ending in a text above a symbol", VStack{.children = {symbol(10), text("a")}},
         symbol(10), 7.5},
        {"a row of texts above a symbol", HStack{.children = {text("a", 10), text("b")}},
         symbol(10), 7.5},
    };
    for (const auto& [name, upper, lower, gap] : rows) {
        SCOPED_TRACE(name);
        const LaidOutCard card = layOut(VStack{.alignment = HorizontalAlignment::leading,
                                               .spacing = std::nullopt,
                                               .children = {upper, lower}},
                                        Size{200, 200});
        const auto& children = card.root.children;
        EXPECT_EQ(children.at(1).frame.minY() - children.at(0).frame.maxY(), gap);
    }
}

TEST(StackLayout, WrapsAndTruncatesTheLastAllowedLine) {
    const std::tuple<const char*, std::optional<int>, double, std::vector<std::string>> rows[] = {
        {"two lines allowed", 2, 200, {"aaaa bbbb", "cccc dddd\u2026"}},
        {"no limit", std::nullopt, 200, {"aaaa bbbb", "cccc dddd", "eeee"}},
        {"the offered height allows two", std::nullopt, 30, {"aaaa bbbb", "cccc dddd\u2026"}},
        {"too little height still shows one line", std::nullopt, 5, {"aaaa bbbb\u2026"}},
    };
    for (const auto& [name, lineLimit, height, lines] : rows) {
        SCOPED_TRACE(name);
        // Characters are 5 wide: ten fit in the 50 offered.
        const LaidOutCard card =
            layOut(VStack{.alignment = HorizontalAlignment::leading,
                          .spacing = 0,
                          .children = {text("aaaa bbbb cccc dddd eeee", 10, lineLimit)}},
                   Size{50, height});
        const LaidOutElement& laidOut = card.root.children.at(0);
        const LaidOutText& set = std::get<LaidOutText>(laidOut.kind);
        EXPECT_EQ(FixedAdvanceTextMeasurer::setLines(set.text.string, set.text.font, set.fit),
                  lines);
        EXPECT_EQ(laidOut.frame.size.height, 12.5 * static_cast<double>(lines.size()));
    }
}

TEST(StackLayout, MeasuresEachTextOncePerDistinctProposal) {
    // Each text is asked for its largest size and then for its share;
    // positioning the stack afterwards must reuse both answers instead of measuring again.
    const Element row =
        HStack{.alignment = VerticalAlignment::center,
               .spacing = 8,
               .children = {text(letters(10)), text(letters(20)), text(letters(30))}};
    FixedAdvanceTextMeasurer measurer;
    const LaidOutCard card = render::layoutCard(row, Size{200, 40}, measurer);
    EXPECT_EQ(card.root.children.size(), 3u);
    EXPECT_EQ(measurer.measureCount(), 6);
}

} // namespace
} // namespace tandry::testing
