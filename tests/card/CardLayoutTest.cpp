#include "tests/card/CardFixtures.h"
#include "tests/support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

using render::LaidOutElement;

// The task rows of a laid-out card: the nodes that carry a list identity
// and hold a tick button.
std::vector<const LaidOutElement*> rowsOf(const LaidOutElement& root) {
    return findAll(root, [](const LaidOutElement& node) {
        return node.identity.has_value() && std::holds_alternative<HStack>(node.kind);
    });
}

const LaidOutElement& onlyText(const LaidOutElement& root, const std::string& string) {
    const auto found = textsNamed(root, string);
    EXPECT_EQ(found.size(), 1u) << string;
    static const LaidOutElement none;
    return found.empty() ? none : *found.front();
}

TEST(CardLayout, LargeListsSevenRowsSixPointsApartAndTheRestAtTheBottom) {
    const ScopedLanguage language("en");
    const render::LaidOutCard card = layOutCard(WidgetFamily::systemLarge, ColorScheme::light,
                                                ReadyWidgetState::ready(snapshotOf(12, 8)));
    const auto rows = rowsOf(card.root);
    ASSERT_EQ(rows.size(), 7u);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i]->frame.minY() - rows[i - 1]->frame.maxY(), 6) << "row " << i;
    }
    const LaidOutElement& more = onlyText(card.root, "5 more tasks");
    EXPECT_EQ(more.frame.maxY(), 382 - 14);
    EXPECT_EQ(more.frame.minX(), 14);
    EXPECT_EQ(onlyText(card.root, "12 tasks ready").frame.maxX(), 364 - 14);
}

TEST(CardLayout, MediumListsThreeRowsFourPointsApartWithoutTheRest) {
    const ScopedLanguage language("en");
    const render::LaidOutCard card = layOutCard(WidgetFamily::systemMedium, ColorScheme::light,
                                                ReadyWidgetState::ready(snapshotOf(12, 8)));
    const auto rows = rowsOf(card.root);
    ASSERT_EQ(rows.size(), 3u);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i]->frame.minY() - rows[i - 1]->frame.maxY(), 4) << "row " << i;
    }
    EXPECT_TRUE(textsNamed(card.root, "5 more tasks").empty());
    EXPECT_TRUE(textsNamed(card.root, "9 more tasks").empty());
    // The rows take the card's whole width inside the inset.
    for (const auto* row : rows) {
        EXPECT_EQ(row->frame.minX(), 14);
        EXPECT_EQ(row->frame.maxX(), 364 - 14);
    }
}

TEST(CardLayout, ALongTitleGivesWayToTheDueLabel) {
    const ScopedLanguage language("en");
    ReadySnapshot snapshot = snapshotOf(1, 1);
    snapshot.tasks[0].title = std::string(200, 'x');
    snapshot.tasks[0].dueDate = utc(2026, 12, 9);
    const render::LaidOutCard card = layOutCard(WidgetFamily::systemMedium, ColorScheme::light,
                                                ReadyWidgetState::ready(snapshot));
    const LaidOutElement& due = onlyText(card.root, "due 12/9");
    // Eight characters of half the 10-point size, at the trailing edge.
    EXPECT_EQ(due.frame.size.width, 40);
    EXPECT_EQ(due.frame.maxX(), 364 - 14);
    const LaidOutElement& title = onlyText(card.root, snapshot.tasks[0].title);
    const auto& fit = std::get<render::LaidOutText>(title.kind).fit;
    EXPECT_EQ(fit.maxLines, 1);
    EXPECT_EQ(title.frame.size.height, 15);
    // Truncated: far narrower than its 1200 points, and clear of the label by
    // at least the spacer's 4 points and the row's 8.
    EXPECT_LT(title.frame.size.width, 364 - 28);
    EXPECT_LE(title.frame.maxX() + 4 + 8, due.frame.minX());
    const auto lines = FixedAdvanceTextMeasurer::setLines(
        snapshot.tasks[0].title, std::get<render::LaidOutText>(title.kind).text.font, fit);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with("…")) << lines[0];
}

TEST(CardLayout, SmallShowsTheCountUnderTheHeaderAndTitlesAtTheBottom) {
    const ScopedLanguage language("en");
    const render::LaidOutCard card = layOutCard(WidgetFamily::systemSmall, ColorScheme::light,
                                                ReadyWidgetState::ready(snapshotOf(12, 5)));
    const LaidOutElement& header = onlyText(card.root, "Ready");
    const LaidOutElement& count = onlyText(card.root, "12");
    EXPECT_EQ(count.frame.minY(), header.frame.maxY() + 6);
    EXPECT_EQ(count.contentTransition, NumericContentTransition{CountDirection::up});
    EXPECT_TRUE(textsNamed(card.root, "Task 3").empty());
    const LaidOutElement& second = onlyText(card.root, "Task 2");
    EXPECT_EQ(second.frame.maxY(), 170 - 14);
    EXPECT_EQ(onlyText(card.root, "Task 1").frame.maxY() + 6, second.frame.minY());
}

TEST(CardLayout, MessagesSitCentredBelowTheHeader) {
    const ScopedLanguage language("en");
    for (const WidgetFamily family :
         {WidgetFamily::systemSmall, WidgetFamily::systemMedium, WidgetFamily::systemLarge}) {
        SCOPED_TRACE(::testing::Message() << family);
        const render::LaidOutCard card =
            layOutCard(family, ColorScheme::dark, ReadyWidgetState::stale());
        const auto spacers = findAll(card.root, [](const LaidOutElement& node) {
            return std::holds_alternative<Spacer>(node.kind);
        });
        ASSERT_EQ(spacers.size(), 2u);
        EXPECT_EQ(spacers[0]->frame.size.height, spacers[1]->frame.size.height);
        EXPECT_EQ(spacers[1]->frame.maxY(), render::cardSize(family).height - 14);
        const auto message = textsNamed(card.root, "Open Tandry to refresh your ready tasks.");
        ASSERT_EQ(message.size(), 1u);
        EXPECT_LE(std::get<render::LaidOutText>(message[0]->kind).fit.maxLines.value_or(99), 4);
    }
}

} // namespace
} // namespace tandry::testing
