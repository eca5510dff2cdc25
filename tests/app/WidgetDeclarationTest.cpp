#include "tests/support/FixedClock.h"
#include "widget/app/TandryWidgetBundle.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using testing::FixedClock;

Instant at(const char* text) {
    return *parseDateText(text);
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
