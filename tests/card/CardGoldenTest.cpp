#include "tests/card/CardFixtures.h"
#include "tests/card/CardOutline.h"
#include "tests/support/GoldenFile.h"
#include "tests/support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

const std::filesystem::path goldenDirectory =
    std::filesystem::path(TANDRY_SOURCE_DIR) / "tests/card/golden";

// Every family in every state, laid out with the fixed-advance measurer so
// that the outlines do not depend on the fonts installed. Rewrite them with
// TANDRY_UPDATE_GOLDEN=1 and review the diff.
TEST(CardGolden, EveryFamilyInEveryState) {
    const ScopedLanguage language("en");
    struct State {
        const char* name;
        ReadyWidgetState state;
    };
    ReadySnapshot clear = snapshotOf(0, 0, "blue");
    clear.emptyReason = "allDone";
    const State states[] = {
        {"ready", ReadyWidgetState::ready(mixedSnapshot())},
        {"clear", ReadyWidgetState::ready(clear)},
        {"waiting", ReadyWidgetState::waitingForApp()},
        {"stale", ReadyWidgetState::stale()},
    };
    for (const WidgetFamily family :
         {WidgetFamily::systemSmall, WidgetFamily::systemMedium, WidgetFamily::systemLarge}) {
        for (const State& state : states) {
            const std::string file =
                std::string(shortFamilyName(family)) + "-" + state.name + ".txt";
            SCOPED_TRACE(file);
            expectMatchesGolden(outline(layOutCard(family, ColorScheme::light, state.state).root),
                                goldenDirectory / file);
        }
    }
}

TEST(CardGolden, DarkAppearance) {
    const ScopedLanguage language("en");
    expectMatchesGolden(outline(layOutCard(WidgetFamily::systemLarge, ColorScheme::dark,
                                           ReadyWidgetState::ready(mixedSnapshot()))
                                    .root),
                        goldenDirectory / "large-ready-dark.txt");
}

// Arabic runs right to left: the header, the rows and their due labels are
// mirrored, leading being the right edge.
TEST(CardGolden, ArabicCardIsMirrored) {
    const ScopedLanguage language("ar");
    const render::LaidOutCard card =
        layOutCard(WidgetFamily::systemMedium, ColorScheme::light,
                   ReadyWidgetState::ready(mixedSnapshot()), LayoutDirection::rightToLeft);
    expectMatchesGolden(outline(card.root), goldenDirectory / "medium-ready-arabic.txt");

    // The header symbol sits at the right edge, inset by 14 points, and the
    // tick circles of the rows too.
    const auto symbols = findAll(card.root, [](const render::LaidOutElement& node) {
        return std::holds_alternative<SymbolImage>(node.kind);
    });
    ASSERT_EQ(symbols.size(), 4u);
    for (const auto* symbol : symbols) {
        EXPECT_GT(symbol->frame.minX(), 364 / 2.0);
    }
    EXPECT_EQ(symbols[0]->frame.maxX(), 364 - 14);
    const auto counts = textsNamed(card.root, "9 مهام جاهزة");
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_EQ(counts[0]->frame.minX(), 14);
}

} // namespace
} // namespace tandry::testing
