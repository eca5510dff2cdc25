#include "platform/host/PlacementStore.h"

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using testing::ScopedEnvironment;
using testing::TemporaryDirectory;
using testing::writeFile;

TEST(PlacementStore, KeepsFamiliesAndPositionsAcrossRuns) {
    TemporaryDirectory state;
    const PlacementStore store(state.path() / "tandry-widget" / "placements.json");
    const std::vector<Placement> placements = {
        {.kind = "TandryReadyWidget", .family = WidgetFamily::systemLarge, .x = 40, .y = -12},
        {.kind = "TandryReadyWidget", .family = WidgetFamily::systemSmall, .x = {}, .y = {}},
    };
    ASSERT_TRUE(store.save(placements).has_value());
    EXPECT_EQ(store.load(), placements);

    // Replaced whole, and nothing but the file is left in its directory.
    ASSERT_TRUE(store.save({placements[1]}).has_value());
    EXPECT_EQ(store.load(), std::vector<Placement>{placements[1]});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(store.file().parent_path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(PlacementStore, ReadsNothingFromMissingOrBrokenFilesAndSkipsBadEntries) {
    TemporaryDirectory state;
    const auto file = state.path() / "placements.json";
    const PlacementStore store(file);
    EXPECT_TRUE(store.load().empty());

    for (const char* text : {"", "{", "[]", R"({"placements": 3})"}) {
        SCOPED_TRACE(text);
        writeFile(file, text);
        EXPECT_TRUE(store.load().empty());
    }

    writeFile(file, R"({"placements": [
        {"kind": "TandryReadyWidget", "family": "systemHuge"},
        {"kind": "", "family": "systemSmall"},
        {"family": "systemSmall"},
        {"kind": "TandryReadyWidget", "family": "systemMedium", "x": "left", "y": 3},
        7
    ]})");
    EXPECT_EQ(store.load(), (std::vector<Placement>{{.kind = "TandryReadyWidget",
                                                     .family = WidgetFamily::systemMedium,
                                                     .x = {},
                                                     .y = {}}}));
}

TEST(PlacementStore, SaveFailsWithThePathWhenTheDirectoryCannotBeMade) {
    TemporaryDirectory state;
    writeFile(state.path() / "blocked", "a file, not a directory");
    const PlacementStore store(state.path() / "blocked" / "placements.json");
    const auto saved = store.save({});
    ASSERT_FALSE(saved.has_value());
    EXPECT_NE(saved.error().message.find((state.path() / "blocked").string()), std::string::npos)
        << saved.error().message;
}

TEST(PlacementStore, LivesUnderTheStateHome) {
    {
        ScopedEnvironment stateHome("XDG_STATE_HOME", "/somewhere/state");
        EXPECT_EQ(PlacementStore::standard()->file(),
                  "/somewhere/state/tandry-widget/placements.json");
    }
    ScopedEnvironment stateHome("XDG_STATE_HOME", "relative/is/ignored");
    ScopedEnvironment home("HOME", "/home/someone");
    EXPECT_EQ(PlacementStore::standard()->file(),
              "/home/someone/.local/state/tandry-widget/placements.json");
}

} // namespace
} // namespace tandry
