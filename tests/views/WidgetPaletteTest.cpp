#include "widget/views/WidgetPalette.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tandry {
namespace {

// Names are compared exactly: anything but one of the six accents, whatever
// its case or spacing, is violet.
TEST(WidgetPalette, ResolvesTheNamedAccentOrFallsBackToViolet) {
    struct Row {
        std::string name;
        unsigned light;
        unsigned dark;
    };
    const std::vector<Row> rows = {
        {"violet", 0x7C4DE0, 0xA78BFA}, {"blue", 0x2469D0, 0x579FF8},
        {"green", 0x1C7B4F, 0x11B462},  {"orange", 0xA4581E, 0xF07E0D},
        {"pink", 0xC9286D, 0xF56FA5},   {"graphite", 0x696B79, 0x999CAD},
        {"teal", 0x7C4DE0, 0xA78BFA},   {"", 0x7C4DE0, 0xA78BFA},
        {"GREEN", 0x7C4DE0, 0xA78BFA},  {" green", 0x7C4DE0, 0xA78BFA},
        {"green ", 0x7C4DE0, 0xA78BFA}, {std::string("green\0x", 7), 0x7C4DE0, 0xA78BFA},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("name \"" + row.name + "\"");
        EXPECT_EQ(WidgetPalette::resolve(row.name, ColorScheme::light).accent,
                  Color::packed(row.light));
        EXPECT_EQ(WidgetPalette::resolve(row.name, ColorScheme::dark).accent,
                  Color::packed(row.dark));
    }
}

} // namespace
} // namespace tandry
