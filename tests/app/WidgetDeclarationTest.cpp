#include "tests/support/SettableClock.h"
#include "widget/app/TandryWidgetBundle.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

// What the host reads from the declaration: the kind it reloads, the names it
// shows, the sizes it offers, that it adds no margins, and the view and the
// provider it builds from the arguments it hands in.
TEST(ReadyWidgetConfiguration, DeclaresTheWidgetForTheHost) {
    const StaticConfiguration configuration = TandryReadyWidget{}.body();
    EXPECT_EQ(configuration.kind, "TandryReadyWidget");
    EXPECT_EQ(configuration.displayName, LocalizedStringResource{"widget.display_name"});
    EXPECT_EQ(configuration.descriptionText, LocalizedStringResource{"widget.description"});
    EXPECT_EQ(offeredFamilies(configuration),
              (std::vector<WidgetFamily>{WidgetFamily::systemSmall, WidgetFamily::systemMedium,
                                         WidgetFamily::systemLarge}));
    EXPECT_TRUE(configuration.marginsDisabled);

    const Instant now = *parseDateText("2031-01-02T03:04:05Z");
    const ReadyWidgetEntry entry{now, ReadyWidgetState::stale()};
    EXPECT_EQ(configuration.content(entry, WidgetFamily::systemSmall, ColorScheme::dark),
              (ReadyWidgetView{WidgetFamily::systemSmall, ColorScheme::dark, entry}));
    const testing::SettableClock clock(now);
    EXPECT_EQ(configuration.provider(clock, std::nullopt).placeholder({}).date, now);
}

} // namespace
} // namespace tandry
