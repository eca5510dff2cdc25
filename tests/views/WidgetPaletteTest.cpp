#include "widget/views/WidgetPalette.h"

#include <future>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tandry {
namespace {

Color rgb(int red, int green, int blue) {
    return Color::srgb(red / 255.0, green / 255.0, blue / 255.0, 1.0);
}

TEST(WidgetPalette, ResolvesEveryNamedAccentInBothAppearances) {
    struct Row {
        std::string name;
        Color light;
        Color dark;
    };
    const std::vector<Row> rows = {
        {"violet", rgb(124, 77, 224), rgb(167, 139, 250)},
        {"blue", rgb(36, 105, 208), rgb(87, 159, 248)},
        {"green", rgb(28, 123, 79), rgb(17, 180, 98)},
        {"orange", rgb(164, 88, 30), rgb(240, 126, 13)},
        {"pink", rgb(201, 40, 109), rgb(245, 111, 165)},
        {"graphite", rgb(105, 107, 121), rgb(153, 156, 173)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WidgetPalette::resolve(row.name, ColorScheme::light).accent, row.light);
        EXPECT_EQ(WidgetPalette::resolve(row.name, ColorScheme::dark).accent, row.dark);
    }
}

TEST(WidgetPalette, FallsBackToVioletForAnyOtherName) {
    const std::vector<std::string> names = {
        "teal", "", "Violet", "GREEN", " green", "green ", std::string("green\0x", 7)};
    for (const std::string& name : names) {
        SCOPED_TRACE("name \"" + name + "\"");
        EXPECT_EQ(WidgetPalette::resolve(name, ColorScheme::light).accent, rgb(124, 77, 224));
        EXPECT_EQ(WidgetPalette::resolve(name, ColorScheme::dark).accent, rgb(167, 139, 250));
    }
}

TEST(WidgetPalette, TextColoursFollowTheAppearanceAlone) {
    for (const char* name : {"violet", "graphite", "teal", ""}) {
        SCOPED_TRACE(name);
        const WidgetPalette light = WidgetPalette::resolve(name, ColorScheme::light);
        EXPECT_EQ(light.ink, rgb(28, 26, 36));
        EXPECT_EQ(light.secondary, rgb(106, 102, 120));
        const WidgetPalette dark = WidgetPalette::resolve(name, ColorScheme::dark);
        EXPECT_EQ(dark.ink, rgb(236, 234, 242));
        EXPECT_EQ(dark.secondary, rgb(156, 152, 172));
    }
}

} // namespace
} // namespace tandry
