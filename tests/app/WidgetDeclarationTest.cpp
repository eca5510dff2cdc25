#include "tests/support/FixedClock.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/RecordingReloadChannel.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryDirectory.h"
#include "widget/app/TandryWidgetBundle.h"
#include "widget/intents/IntentServices.h"
#include "widget/intents/TickReadyTaskIntent.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using testing::FixedClock;

Instant at(const char* text) {
    return *parseDateText(text);
}

TEST(WidgetBundle, DeclaresExactlyTheReadyWidget) {
    EXPECT_EQ(TandryWidgetBundle{}.body(), std::vector<TandryReadyWidget>{TandryReadyWidget{}});
}

TEST(ReadyWidgetConfiguration, DeclaresKindNamesFamiliesAndMargins) {
    const StaticConfiguration configuration = TandryReadyWidget{}.body();
    EXPECT_EQ(configuration.kind, "TandryReadyWidget");
    EXPECT_EQ(configuration.displayName, LocalizedStringResource{"widget.display_name"});
    EXPECT_EQ(configuration.descriptionText, LocalizedStringResource{"widget.description"});
    EXPECT_EQ(offeredFamilies(configuration),
              (std::vector<WidgetFamily>{WidgetFamily::systemSmall, WidgetFamily::systemMedium,
                                         WidgetFamily::systemLarge}));
    EXPECT_TRUE(configuration.marginsDisabled);
}

TEST(ReadyWidgetConfiguration, EveryEvaluationIsEqual) {
    const StaticConfiguration first = TandryReadyWidget{}.body();
    const StaticConfiguration second = TandryReadyWidget{}.body();
    EXPECT_EQ(::testing::PrintToString(first), ::testing::PrintToString(second));
}

TEST(ReadyWidgetConfiguration, TickReloadsTheDeclaredKind) {
    testing::TemporaryDirectory dataHome;
    testing::ScopedEnvironment variable("XDG_DATA_HOME", dataHome.path().string());
    FixedClock clock(at("2026-12-05T09:30:00Z"));
    testing::RecordingLog log;
    testing::RecordingReloadChannel reloads;

    TickReadyTaskIntent(std::string("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90"))
        .perform(IntentServices{clock, log, reloads});

    EXPECT_EQ(reloads.kinds(), std::vector<std::string>{TandryReadyWidget{}.body().kind});
}

TEST(ReadyWidgetConfiguration, ContentIsTheRootViewOfTheEntryFamilyAndScheme) {
    const StaticConfiguration configuration = TandryReadyWidget{}.body();
    const ReadyWidgetEntry entry{at("2026-12-05T09:30:00Z"), ReadyWidgetState::stale()};
    for (WidgetFamily family : offeredFamilies(configuration)) {
        for (ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
            SCOPED_TRACE(::testing::PrintToString(family) + " " + ::testing::PrintToString(scheme));
            EXPECT_EQ(configuration.content(entry, family, scheme),
                      (ReadyWidgetView{.family = family, .colorScheme = scheme, .entry = entry}));
        }
    }
}

TEST(ReadyWidgetConfiguration, ProviderReadsTheClockItIsGiven) {
    FixedClock clock(at("2031-01-02T03:04:05Z"));
    const ReadyWidgetProvider provider = TandryReadyWidget{}.body().provider(clock);
    EXPECT_EQ(provider.placeholder({}).date, at("2031-01-02T03:04:05Z"));
}

} // namespace
} // namespace tandry
