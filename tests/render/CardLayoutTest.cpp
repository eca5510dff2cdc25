#include "tests/render/LayoutFixtures.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

using render::LaidOutCard;
using render::LaidOutElement;
using render::Size;

Element paddedColumn(Alignment alignment) {
    const Element column = VStack{
        .alignment = HorizontalAlignment::leading, .spacing = 0, .children = {text(letters(5))}};
    return modified(modified(column, Inset{14}), FlexibleFrame{alignment});
}

TEST(CardLayout, FlexibleFrameFillsItsProposalAndAlignsItsContent) {
    struct Row {
        Alignment alignment;
        render::Rect padding;
    };
    // The padded column is 30 + 28 wide and 15 + 28 tall.
    const Row rows[] = {
        {Alignment::topLeading(), rect(0, 0, 58, 43)},
        {Alignment::center(), rect(153, 63.5, 58, 43)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(alignmentName(row.alignment));
        const LaidOutCard card = layOut(paddedColumn(row.alignment), Size{364, 170});
        const LaidOutElement& frame = card.root;
        EXPECT_EQ(render::kindName(frame.kind), std::string("frame"));
        EXPECT_EQ(frame.frame, rect(0, 0, 364, 170));
        ASSERT_EQ(frame.children.size(), 1u);
        const LaidOutElement& padding = frame.children[0];
        EXPECT_EQ(padding.frame, row.padding);
        ASSERT_EQ(padding.children.size(), 1u);
        EXPECT_EQ(padding.children[0].frame.origin,
                  (render::Point{row.padding.minX() + 14, row.padding.minY() + 14}));
    }
}

TEST(CardLayout, BackgroundAndLinkCoverTheCardAroundCentredContent) {
    const Element root = modified(
        modified(modified(text("Hi"), IntentButton{{"TickReadyTaskIntent", "ID"}, "Tick", {}}),
                 ContainerBackground{Color::packed(0xFBFAFE), {}}),
        ClickThroughUrl{"tandry://ready"});
    const LaidOutCard card = layOut(root, Size{170, 170});
    const LaidOutElement& link = card.root;
    EXPECT_EQ(render::kindName(link.kind), std::string("link"));
    EXPECT_EQ(link.frame, rect(0, 0, 170, 170));
    ASSERT_EQ(link.children.size(), 1u);
    const LaidOutElement& background = link.children[0];
    EXPECT_EQ(render::kindName(background.kind), std::string("background"));
    EXPECT_EQ(background.frame, rect(0, 0, 170, 170));
    ASSERT_EQ(background.children.size(), 1u);
    // A plain button is exactly its label.
    const LaidOutElement& button = background.children[0];
    EXPECT_EQ(render::kindName(button.kind), std::string("button"));
    EXPECT_EQ(button.frame, rect(79, 77.5, 12, 15));
    ASSERT_EQ(button.children.size(), 1u);
    EXPECT_EQ(button.children[0].frame, button.frame);
}

TEST(CardLayout, IdentifiedListItemsBecomeStackChildren) {
    Uuid first;
    first.bytes.fill(0x11);
    Uuid second;
    second.bytes.fill(0x22);
    // The list's own modifier applies to each item.
    const Element list =
        modified(IdentifiedList{{{first, text("one")}, {second, text("two")}}}, Inset{1});
    const Element column = VStack{
        .alignment = HorizontalAlignment::leading, .spacing = 4, .children = {text("head"), list}};
    const LaidOutCard card = layOut(column, Size{100, 100});
    ASSERT_EQ(card.root.children.size(), 3u);
    const LaidOutElement& head = card.root.children[0];
    const LaidOutElement& one = card.root.children[1];
    const LaidOutElement& two = card.root.children[2];
    EXPECT_EQ(head.identity, std::nullopt);
    EXPECT_EQ(one.identity, first);
    EXPECT_EQ(two.identity, second);
    EXPECT_EQ(render::kindName(one.kind), std::string("padding"));
    EXPECT_EQ(one.frame.minY(), head.frame.maxY() + 4);
    EXPECT_EQ(two.frame.minY(), one.frame.maxY() + 4);
    EXPECT_EQ(one.frame.size, (Size{20, 17}));
}

TEST(CardLayout, ContentTransitionMarksTheNodeItModifies) {
    const Element count =
        modified(text("12", 34, std::nullopt), NumericContentTransition{CountDirection::up});
    const LaidOutCard card = layOut(count, Size{170, 170});
    EXPECT_EQ(render::kindName(card.root.kind), std::string("text"));
    EXPECT_EQ(card.root.contentTransition, NumericContentTransition{CountDirection::up});
}

TEST(CardLayout, RightToLeftMirrorsHorizontalStacksAndLeadingAlignment) {
    const Element row =
        HStack{.alignment = VerticalAlignment::center,
               .spacing = std::nullopt,
               .children = {symbol(40.0 / 3), text(letters(24)), Spacer{}, fixedText("3", 16)}};
    const LaidOutCard mirrored = layOut(row, Size{150, 40}, LayoutDirection::rightToLeft);
    ASSERT_EQ(mirrored.root.children.size(), 4u);
    // Leading is the right edge: the symbol starts there and "3" ends at the left.
    EXPECT_EQ(mirrored.root.children[0].frame, rect(134, 12, 16, 16));
    EXPECT_EQ(mirrored.root.children[1].frame, rect(18, 12.5, 108, 15));
    EXPECT_EQ(mirrored.root.children[2].frame, rect(8, 20, 10, 0));
    EXPECT_EQ(mirrored.root.children[3].frame, rect(0, 10, 8, 20));

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
    struct Row {
        double fontSize;
        double side;
    };
    const Row rows[] = {{15, 18}, {11, 13}, {17, 20.5}, {10, 12}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fontSize);
        const LaidOutCard card = layOut(symbol(row.fontSize), Size{100, 100});
        EXPECT_EQ(card.root.frame.size, (Size{row.side, row.side}));
    }
}

} // namespace
} // namespace tandry::testing
