#include "platform/host/PlacementPlan.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

constexpr auto small = WidgetFamily::systemSmall;
constexpr auto medium = WidgetFamily::systemMedium;
constexpr auto large = WidgetFamily::systemLarge;

Placement at(WidgetFamily family, std::optional<int> x = {}, std::optional<int> y = {},
             const char* kind = "Ready") {
    return {.kind = kind, .family = family, .x = x, .y = y};
}

TEST(PlacementPlan, OpensWhatWasAskedForElseWhatWasSaved) {
    const std::vector<OfferedKind> every = {{"Ready", {small, medium, large}}};
    struct Row {
        const char* name;
        std::vector<OfferedKind> kinds;
        PlacementRequest request;
        std::vector<PlacementPlan> expected;
    };
    const Row rows[] = {
        {"first run: one medium widget at the top left",
         every,
         {},
         {{{at(medium, 24, 24)}, {medium}}}},
        {"first run of a kind without medium: its first family",
         {{"Ready", {large, small}}},
         {},
         {{{at(large, 24, 24)}, {large}}}},
        {"saved places of this kind and its families come back",
         {{"Ready", {small, medium}}},
         {.saved = {at(medium, 500, 300), at(large, 1, 2), at(small, 7, 8, "Other"), at(small)}},
         {{{at(medium, 500, 300), at(small, 24, 24)}, {medium, small}}}},
        {"families asked for and offered take a saved place each, or a place in one column",
         {{"Ready", {small, medium}}, {"Other", {large}}},
         {.families = {medium, small, medium, large}, .saved = {at(medium, 500, 300)}},
         {{{at(medium, 500, 300), at(small, 24, 24), at(medium, 24, 218)}, {medium, small}},
          {{at(large, 24, 412, "Other")}, {large}}}},
        {"a column at scale 2 in the first monitor's pixels, one card under the other",
         {{"Ready", {small, medium}}},
         {.families = {small, medium},
          .workAreas = {{.x = 0, .y = 0, .width = 2560, .height = 1600, .scale = 2}}},
         {{{at(small, 48, 48), at(medium, 48, 48 + 340 + 48)}, {small, medium}}}},
        {"saved places off every monitor stay, for when the monitor comes back",
         every,
         {.saved = {at(large, 3000, 200)},
          .workAreas = {{.x = 0, .y = 0, .width = 1920, .height = 1080}}},
         {{{at(large, 3000, 200)}, {large}}}},
        {"headless: every family offered as a picture",
         every,
         {.headless = true, .saved = {at(small, 1, 1)}},
         {{{}, {small, medium, large}}}},
        {"headless: the families asked for",
         every,
         {.families = {large, large}, .headless = true},
         {{{}, {large}}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(planPlacements(row.kinds, row.request), row.expected);
    }
}

TEST(PlacementPlan, KeepsEveryCardWhollyInsideAMonitorThatExistsNow) {
    // A 1920x1080 monitor with a 30-pixel panel on top, and a 1280x1024
    // monitor at scale 2 to its right. A medium card is 364x170 points.
    const WorkArea left{.x = 0, .y = 30, .width = 1920, .height = 1050};
    const WorkArea right{.x = 1920, .y = 0, .width = 1280, .height = 1024, .scale = 2};
    const std::vector<WorkArea> both = {left, right};
    struct Row {
        const char* name;
        Placement saved;
        std::vector<WorkArea> areas;
        Placement expected;
    };
    const Row rows[] = {
        {"inside: unchanged", at(medium, 500, 300), both, at(medium, 500, 300)},
        {"under the panel: moved down", at(medium, 10, 5), both, at(medium, 10, 30)},
        {"on a monitor unplugged to the right: moved onto the nearest",
         at(medium, 4000, 500),
         {left},
         at(medium, 1556, 500)},
        {"far off in negative space", at(medium, -2147483647, -2147483647), both,
         at(medium, 0, 30)},
        {"far off in positive space", at(medium, 2147483647, 2147483647), both,
         at(medium, 2472, 684)},
        {"across both monitors: onto the one it overlaps most, at its scale", at(medium, 1800, 100),
         both, at(medium, 1920, 100)},
        {"larger than the area: its top-left corner in it",
         at(large, 50, 50),
         {{.x = 0, .y = 0, .width = 300, .height = 200}},
         at(large, 0, 0)},
        {"no position: left for the column", at(medium), both, at(medium)},
        {"no work areas known: as saved", at(medium, 9000, 9000), {}, at(medium, 9000, 9000)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(keptOnScreen(row.saved, row.areas), row.expected);
    }
}

TEST(PlacementPlan, RestoresAtMostADozenWidgets) {
    std::vector<Placement> saved(1000, at(small, 100, 100));
    const std::vector<PlacementPlan> plans =
        planPlacements({{"Ready", {small, medium, large}}}, {.saved = saved});
    ASSERT_EQ(plans.size(), 1U);
    EXPECT_EQ(plans[0].windows, std::vector<Placement>(maxRestoredWidgets, at(small, 100, 100)));
}

} // namespace
} // namespace tandry
