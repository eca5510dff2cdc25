#include "widget/views/WidgetHeader.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/views/ElementQueries.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

TEST(WidgetHeader, IsTheSymbolAndTheTitleInThePalette) {
    const ScopedLanguage language("en");
    const WidgetPalette palette = WidgetPalette::resolve("pink", ColorScheme::dark);
    const Element header = WidgetHeader{palette}.body();

    const Element expected =
        HStack{.alignment = VerticalAlignment::center,
               .spacing = 5,
               .children = {SymbolImage{.name = "point.3.connected.trianglepath.dotted",
                                        .font = {11, FontWeight::semibold, FontDesign::standard},
                                        .color = palette.accent},
                            Text{.string = "Ready",
                                 .font = {12, FontWeight::semibold, FontDesign::standard},
                                 .color = palette.ink,
                                 .lineLimit = 1,
                                 .fixedSize = false}}};
    EXPECT_EQ(header, expected);
}

TEST(WidgetHeader, TitleIsInTheUsersLanguage) {
    const ScopedLanguage language("de");
    EXPECT_EQ(stringsOf(WidgetHeader{WidgetPalette::resolve("", ColorScheme::light)}.body()),
              std::vector<std::string>{"Bereit"});
}

} // namespace
} // namespace tandry::testing
