#include "widget/views/ReadyWidgetView.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"
#include "widget/views/ReadyListCard.h"
#include "widget/views/SmallReadyView.h"
#include "widget/views/WidgetMessageView.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

const FakeDueDateFormat dueDates;

TEST(ReadyWidgetView, ChoosesTheLayoutByStateAndFamily) {
    const ScopedLanguage language("en");
    const ReadySnapshot snapshot = snapshotOf(9, 8, "pink");
    struct Row {
        const char* name;
        ReadyWidgetState state;
        WidgetFamily family;
        ColorScheme scheme;
        Element expected;
    };
    const WidgetPalette light = WidgetPalette::resolve("pink", ColorScheme::light);
    const WidgetPalette dark = WidgetPalette::resolve("pink", ColorScheme::dark);
    const Row rows[] = {
        {"ready small", ReadyWidgetState::ready(snapshot), WidgetFamily::systemSmall,
         ColorScheme::light, SmallReadyView{snapshot, light}.body()},
        {"ready medium", ReadyWidgetState::ready(snapshot), WidgetFamily::systemMedium,
         ColorScheme::dark, ReadyListCard{snapshot, dark, 3, true}.body(dueDates)},
        {"ready large", ReadyWidgetState::ready(snapshot), WidgetFamily::systemLarge,
         ColorScheme::light, ReadyListCard{snapshot, light, 7, false}.body(dueDates)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ReadyWidgetView view{row.family, row.scheme, {utc(2026, 12, 5, 9), row.state}};
        EXPECT_EQ(view.stateContent(dueDates), row.expected);
    }
    for (const WidgetFamily family :
         {WidgetFamily::systemSmall, WidgetFamily::systemMedium, WidgetFamily::systemLarge}) {
        SCOPED_TRACE(::testing::Message() << family);
        for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
            const ReadyWidgetView waiting{
                family, scheme, {utc(2026, 12, 5, 9), ReadyWidgetState::waitingForApp()}};
            EXPECT_EQ(waiting.stateContent(dueDates),
                      (WidgetMessageView{"widget.empty.title", scheme}.body()));
            const ReadyWidgetView stale{
                family, scheme, {utc(2026, 12, 5, 9), ReadyWidgetState::stale()}};
            EXPECT_EQ(stale.stateContent(dueDates),
                      (WidgetMessageView{"widget.stale.title", scheme}.body()));
        }
    }
}

TEST(ReadyWidgetView, PutsEveryCardOnItsBackgroundWithTheDeepLink) {
    const ScopedLanguage language("en");
    const ReadyWidgetState states[] = {
        ReadyWidgetState::ready(snapshotOf(2, 2)), ReadyWidgetState::ready(snapshotOf(0, 0)),
        ReadyWidgetState::waitingForApp(), ReadyWidgetState::stale()};
    for (const ReadyWidgetState& state : states) {
        SCOPED_TRACE(::testing::Message() << state);
        for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
            const ReadyWidgetView view{
                WidgetFamily::systemMedium, scheme, {utc(2026, 1, 1), state}};
            const Element card = view.body(dueDates);
            const Element content = view.stateContent(dueDates);
            std::vector<Modifier> expected = content.modifiers;
            expected.push_back(ContainerBackground{cardBackground(scheme), Alignment::center()});
            expected.push_back(ClickThroughUrl{"tandry://ready"});
            EXPECT_EQ(card.modifiers, expected);
            EXPECT_EQ(card.content, content.content);
        }
    }
}

TEST(ReadyWidgetView, CardBackgroundIsOpaqueAndFollowsTheAppearance) {
    EXPECT_EQ(cardBackground(ColorScheme::dark),
              Color::srgb(0.08627450980392157, 0.0784313725490196, 0.10980392156862745, 1.0));
    EXPECT_EQ(cardBackground(ColorScheme::light),
              Color::srgb(0.984313725490196, 0.9803921568627451, 0.996078431372549, 1.0));
}

} // namespace
} // namespace tandry::testing
