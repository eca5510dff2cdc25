#include "platform/host/PlacementStore.h"

#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

TEST(PlacementStore, KeepsPlacementsAcrossRunsAndReplacesTheFileWhole) {
    TemporaryDirectory state;
    const PlacementStore store(state.path() / "tandry-widget" / "placements.json");
    const std::vector<Placement> placements = {
        {.kind = "TandryReadyWidget", .family = WidgetFamily::systemLarge, .x = 40, .y = -12},
        {.kind = "TandryReadyWidget", .family = WidgetFamily::systemSmall},
        {.kind = "TandryReadyWidget",
         .family = WidgetFamily::systemMedium,
         .appearance = CardAppearance::dark},
    };
    ASSERT_TRUE(store.save(placements).has_value());
    EXPECT_EQ(store.load(), placements);
    ASSERT_TRUE(store.save({placements[1]}).has_value());
    EXPECT_EQ(store.load(), std::vector<Placement>{placements[1]});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(store.file().parent_path()), {}), 1)
        << "nothing but the file is left beside it";
}

TEST(PlacementStore, ReadsNothingFromBrokenFilesAndSkipsBadEntries) {
    TemporaryDirectory state;
    const PlacementStore store(state.path() / "placements.json");
    EXPECT_TRUE(store.load().empty()) << "no file";
    const std::vector<Placement> none;
    const std::pair<const char*, std::vector<Placement>> rows[] = {
        {"", none},
        {"{", none},
        {"[]", none},
        {R"({"placements": 3})", none},
        {R"({"placements": [{"kind": "TandryReadyWidget", "family": "systemHuge"},
                            {"kind": "", "family": "systemSmall"}, {"family": "systemSmall"},
                            {"kind": "K", "family": "systemMedium", "x": "left", "y": 3}, 7]})",
         {{.kind = "K", .family = WidgetFamily::systemMedium}}},
        {R"({"placements": [{"kind": "K", "family": "small", "x": 4294967396, "y": 5},
                            {"kind": "K", "family": "small", "x": 5, "y": -2147483649},
                            {"kind": "K", "family": "small", "x": -2147483648, "y": 2147483647}]})",
         {{.kind = "K", .family = WidgetFamily::systemSmall},
          {.kind = "K", .family = WidgetFamily::systemSmall},
          {.kind = "K", .family = WidgetFamily::systemSmall, .x = -2147483648, .y = 2147483647}}},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        writeFile(store.file(), text);
        EXPECT_EQ(store.load(), expected);
    }
}

// An older file has no appearance, a newer one may name one this version
// does not know: both cards come back, following the desktop.
TEST(PlacementStore, ReadsEachCardsAppearanceAndFollowsTheDesktopWhereItIsUnknown) {
    TemporaryDirectory state;
    const PlacementStore store(state.path() / "placements.json");
    writeFile(store.file(), R"({"placements": [
        {"kind": "K", "family": "systemSmall"},
        {"kind": "K", "family": "systemSmall", "appearance": "light"},
        {"kind": "K", "family": "systemSmall", "appearance": "sepia"},
        {"kind": "K", "family": "systemSmall", "appearance": 1}]})");
    const auto card = [](CardAppearance appearance) {
        return Placement{
            .kind = "K", .family = WidgetFamily::systemSmall, .appearance = appearance};
    };
    EXPECT_EQ(store.load(), (std::vector<Placement>{card(CardAppearance::followDesktop),
                                                    card(CardAppearance::light),
                                                    card(CardAppearance::followDesktop),
                                                    card(CardAppearance::followDesktop)}));
}

// Removing the last card leaves an empty list, which is not a first run.
TEST(PlacementStore, TellsAnEmptiedListFromAMissingOrBrokenFile) {
    TemporaryDirectory state;
    const PlacementStore store(state.path() / "placements.json");
    EXPECT_FALSE(store.listsNoWidget()) << "no file";
    const std::pair<const char*, bool> rows[] = {
        {R"({"placements": []})", true},
        {R"({"placements": [{"kind": "K", "family": "systemSmall"}]})", false},
        {"{", false},
        {R"({"placements": {}})", false},
    };
    for (const auto& [text, emptied] : rows) {
        SCOPED_TRACE(text);
        writeFile(store.file(), text);
        EXPECT_EQ(store.listsNoWidget(), emptied);
    }
}

TEST(PlacementStore, SaysWhichDirectoryItCouldNotMake) {
    TemporaryDirectory state;
    writeFile(state.path() / "blocked", "a file, not a directory");
    const auto saved = PlacementStore(state.path() / "blocked" / "placements.json").save({});
    ASSERT_FALSE(saved.has_value());
    EXPECT_TRUE(saved.error().message.starts_with("cannot create directory " +
                                                  (state.path() / "blocked").string() + ": "))
        << saved.error().message;
}

TEST(PlacementStore, LivesInTheStateDirectory) {
    EXPECT_EQ(PlacementStore::standard({.stateHome = "/home/someone/.local/state"})->file(),
              "/home/someone/.local/state/tandry-widget/placements.json");
    EXPECT_FALSE(PlacementStore::standard(BaseDirectories{}).has_value());
}

} // namespace
} // namespace tandry::testing
