#include "platform/render/CardSize.h"
#include "platform/render/TreeDump.h"
#include "tests/render/LayoutFixtures.h"
#include "tests/support/ScopedLanguage.h"
#include "tests/views/ViewFixtures.h"
#include "widget/store/SnapshotCodec.h"
#include "widget/views/ReadyWidgetView.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string_view>

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
        // Arabic, and so right to left.
        bool arabic = false;
    };
    const auto read = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::filesystem::path folder = std::filesystem::path(TANDRY_SOURCE_DIR) / "tests/card";
    // Nine ready tasks, seven listed, in the mix a card meets: overdue with a
    // date, today without one, dated ahead, undated, dated and today, and a
    // title far too long for any row.
    const Result<ReadySnapshot> mixed = decodeSnapshot(read(folder / "data/mixed-snapshot.json"));
    const Result<ReadySnapshot> clear = decodeSnapshot(
        std::string_view(R"({"validUntil": "2026-12-05T18:00:00Z", "total": 0, "tasks": [],
                           "paletteRaw": "blue", "emptyReason": "allDone"})"));
    ASSERT_TRUE(mixed.has_value() && clear.has_value());
    const std::pair<const char*, ReadyWidgetState> states[] = {
        {"ready", ReadyWidgetState::ready(*mixed)},
        {"clear", ReadyWidgetState::ready(*clear)},
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
    rows.push_back({"large-ready-dark", WidgetFamily::systemLarge, ReadyWidgetState::ready(*mixed),
                    ColorScheme::dark});
    rows.push_back({"medium-ready-arabic", WidgetFamily::systemMedium,
                    ReadyWidgetState::ready(*mixed), ColorScheme::light, true});
    const char* update = std::getenv("TANDRY_UPDATE_GOLDEN");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const ScopedLanguage language(row.arabic ? "ar" : "en");
        const ReadyWidgetView view{row.family, row.scheme, {utc(2026, 12, 5, 9, 30), row.state}};
        const Result<std::string> dump = render::dumpLaidOutTree(
            layOut(view.body(FakeDueDateFormat()), render::cardSize(row.family),
                   row.arabic ? LayoutDirection::rightToLeft : LayoutDirection::leftToRight)
                .root);
        ASSERT_TRUE(dump.has_value()) << dump.error();
        const std::filesystem::path golden = folder / "golden" / (row.file + ".json");
        if (update != nullptr && std::string_view(update) == "1") {
            std::ofstream(golden, std::ios::binary) << *dump;
            continue;
        }
        EXPECT_EQ(*dump, read(golden))
            << "differs from (or there is no) " << golden
            << "; if the change is intended, rerun with TANDRY_UPDATE_GOLDEN=1 and review the diff";
    }
}

} // namespace
} // namespace tandry::testing
