#include "widget/views/WidgetMessageView.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/views/ElementQueries.h"
#include "widget/views/WidgetHeader.h"
#include "widget/views/WidgetPalette.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

TEST(WidgetMessageView, CentresTheMessageBelowTheVioletHeader) {
    const ScopedLanguage language("en");
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        SCOPED_TRACE(::testing::Message() << scheme);
        const WidgetPalette violet = WidgetPalette::resolve("violet", scheme);
        const Element expected =
            Element(VStack{.alignment = HorizontalAlignment::leading,
                           .spacing = 6,
                           .children = {WidgetHeader{violet}.body(), Spacer{.minLength = 0},
                                        Text{.string = "Open Tandry to see your ready tasks.",
                                             .font = {12, FontWeight::medium, FontDesign::standard},
                                             .color = violet.secondary,
                                             .lineLimit = 4,
                                             .fixedSize = false},
                                        Spacer{.minLength = 0}}},
                    {Inset{14}, FlexibleFrame{Alignment::topLeading()}});
        EXPECT_EQ((WidgetMessageView{"widget.empty.title", scheme}.body()), expected);
    }
}

TEST(WidgetMessageView, ShowsAMissingKeyAsItself) {
    const ScopedLanguage language("en");
    const Element view = WidgetMessageView{"widget.no.such.key", ColorScheme::light}.body();
    EXPECT_EQ(stringsOf(view), (std::vector<std::string>{"Ready", "widget.no.such.key"}));
}

} // namespace
} // namespace tandry::testing
