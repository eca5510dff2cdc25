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

} // namespace
} // namespace tandry
