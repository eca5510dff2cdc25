#include "platform/render/TreeDump.h"
#include "tests/card/CardFixtures.h"
#include "tests/support/GoldenFile.h"
#include "tests/support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

// Every family in every state, and the dark and Arabic (mirrored) cards, as
// the tree dump writes them, laid out with the fixed-advance measurer so that
// the dumps do not depend on the fonts installed. Rewrite them with
// TANDRY_UPDATE_GOLDEN=1 and review the diff.
TEST(CardGolden, EveryFamilyInEveryState) {
    struct Row {
        std::string file;
        WidgetFamily family;
        ReadyWidgetState state;
        ColorScheme scheme = ColorScheme::light;
        std::string language = "en";
        LayoutDirection direction = LayoutDirection::leftToRight;
    };
    ReadySnapshot clear = snapshotOf(0, 0, "blue");
    clear.emptyReason = "allDone";
    const std::pair<const char*, ReadyWidgetState> states[] = {
        {"ready", ReadyWidgetState::ready(mixedSnapshot())},
        {"clear", ReadyWidgetState::ready(clear)},
        {"waiting", ReadyWidgetState::waitingForApp()},
        {"stale", ReadyWidgetState::stale()},
    };
    std::vector<Row> rows;
    for (const WidgetFamily family :
         {WidgetFamily::systemSmall, WidgetFamily::systemMedium, WidgetFamily::systemLarge}) {
        for (const auto& [name, state] : states) {
            rows.push_back({std::string(shortFamilyName(family)) + "-" + name, family, state});
        }
    }
    rows.push_back({"large-ready-dark", WidgetFamily::systemLarge,
                    ReadyWidgetState::ready(mixedSnapshot()), ColorScheme::dark});
    rows.push_back({"medium-ready-arabic", WidgetFamily::systemMedium,
                    ReadyWidgetState::ready(mixedSnapshot()), ColorScheme::light, "ar",
                    LayoutDirection::rightToLeft});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const ScopedLanguage language(row.language);
        const Result<std::string> dump = render::dumpLaidOutTree(
            layOutCard(row.family, row.scheme, row.state, row.direction).root);
        ASSERT_TRUE(dump.has_value()) << dump.error();
        expectMatchesGolden(*dump, std::filesystem::path(TANDRY_SOURCE_DIR) / "tests/card/golden" /
                                       (row.file + ".json"));
    }
}

} // namespace
} // namespace tandry::testing
