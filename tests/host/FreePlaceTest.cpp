#include "platform/host/FreePlace.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

Placement card(WidgetFamily family, std::optional<int> x = {}, std::optional<int> y = {}) {
    return {.kind = "K", .family = family, .x = x, .y = y};
}

constexpr auto small = WidgetFamily::systemSmall;
constexpr auto medium = WidgetFamily::systemMedium;
constexpr auto large = WidgetFamily::systemLarge;

TEST(FreePlace, FindsTheMonitorUnderThePointer) {
    const std::vector<WorkArea> areas = {{0, 30, 1920, 1050}, {1920, 0, 1280, 1024}};
    EXPECT_EQ(workAreaAt(areas, ScreenPosition{2000, 500}), areas[1]);
    EXPECT_EQ(workAreaAt(areas, ScreenPosition{10, 10}), areas[0]) << "on no area: the first";
    EXPECT_EQ(workAreaAt(areas, std::nullopt), areas[0]);
    EXPECT_EQ(workAreaAt({}, ScreenPosition{0, 0}), std::nullopt);
}

// Cards are 170x170 (small), 364x170 (medium) and 364x382 (large) points;
// places are tried every 8 points, 24 points from the cards and the edges.
TEST(FreePlace, PutsANewCardWhereItCoversNoOtherInsideTheArea) {
    struct Row {
        const char* name;
        Placement added;
        std::vector<Placement> others;
        WorkArea area;
        bool rightToLeft = false;
        Placement expected;
    };
    const WorkArea screen{0, 0, 1024, 768};
    const Row rows[] = {
        {"an empty screen: its top-left corner",
         card(large),
         {},
         screen,
         false,
         card(large, 24, 24)},
        {"beside a card in the corner",
         card(small),
         {card(medium, 24, 24)},
         screen,
         false,
         card(small, 416, 24)},
        {"a card without a place covers nothing",
         card(small),
         {card(medium)},
         screen,
         false,
         card(small, 24, 24)},
        {"below where a row is full",
         card(medium),
         {card(large, 24, 24), card(large, 400, 24), card(small, 800, 24)},
         screen,
         false,
         card(medium, 24, 432)},
        {"in a panel's offset work area",
         card(small),
         {},
         {100, 40, 800, 600},
         false,
         card(small, 124, 64)},
        {"in pixels on a doubled screen",
         card(small),
         {card(small, 48, 48)},
         {0, 0, 2048, 1536, 2},
         false,
         card(small, 448, 48)},
        {"right to left: the top-right corner",
         card(small),
         {},
         screen,
         true,
         card(small, 830, 24)},
        {"a full screen: the first corner, over the others",
         card(large),
         {card(large, 0, 0), card(large, 400, 0), card(large, 0, 400), card(large, 400, 400)},
         {0, 0, 800, 800},
         false,
         card(large, 24, 24)},
        {"an area smaller than the card: its corner",
         card(large),
         {},
         {0, 0, 300, 200},
         false,
         card(large, 0, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(placedFreely(row.added, row.others, row.area, row.rightToLeft), row.expected);
    }
}

} // namespace
} // namespace tandry::testing
