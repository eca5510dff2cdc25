#include "widget/views/ReadyWidgetView.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"
#include "widget/views/WidgetPalette.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

// The card goldens pin every layout in the light appearance; the messages of
// the waiting and stale states must follow a dark desktop as well.
TEST(ReadyWidgetView, MessagesFollowTheAppearance) {
    const ScopedLanguage language("en");
    struct Row {
        ReadyWidgetState state;
        const char* message;
    };
    const Row rows[] = {{ReadyWidgetState::waitingForApp(), "Open Tandry to see your ready tasks."},
                        {ReadyWidgetState::stale(), "Open Tandry to refresh your ready tasks."}};
    for (const Row& row : rows) {
        for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
            SCOPED_TRACE(::testing::Message() << row.state << ", " << scheme);
            const ReadyWidgetView view{
                WidgetFamily::systemSmall, scheme, {utc(2026, 1, 1), row.state}};
            const std::vector<Text> texts = textsOf(view.body(FakeDueDateFormat()));
            ASSERT_EQ(texts.size(), 2u);
            EXPECT_EQ(texts[1].string, row.message);
            EXPECT_EQ(texts[1].color, WidgetPalette::resolve("violet", scheme).secondary);
        }
    }
}

} // namespace
} // namespace tandry::testing
