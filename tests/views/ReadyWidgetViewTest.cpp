#include "widget/views/ReadyWidgetView.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"
#include "widget/views/WidgetPalette.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

// The card goldens pin every layout in the light appearance; the messages of
// the waiting and stale states must follow a dark desktop too.
TEST(ReadyWidgetView, MessagesFollowTheAppearance) {
    const ScopedLanguage language("en");
    const std::pair<ReadyWidgetState, const char*> rows[] = {
        {ReadyWidgetState::waitingForApp(), "Open Tandry to see your ready tasks."},
        {ReadyWidgetState::stale(), "Open Tandry to refresh your ready tasks."},
    };
    for (const auto& [state, message] : rows) {
        SCOPED_TRACE(::testing::Message() << state);
        const ReadyWidgetView view{
            WidgetFamily::systemSmall, ColorScheme::dark, {utc(2026, 1, 1), state}};
        const std::vector<Text> texts = textsOf(view.body(FakeDueDateFormat()));
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[1].string, message);
        EXPECT_EQ(texts[1].color, WidgetPalette::resolve("violet", ColorScheme::dark).secondary);
    }
}

} // namespace
} // namespace tandry::testing
