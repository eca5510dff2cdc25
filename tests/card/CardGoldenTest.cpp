#include "platform/render/CardSize.h"
#include "platform/render/TreeDump.h"
#include "tests/render/LayoutFixtures.h"
#include "tests/support/ScopedLanguage.h"
#include "tests/views/ViewFixtures.h"
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
        std::string language = "en";
        LayoutDirection direction = LayoutDirection::leftToRight;
    };
    // Nine ready tasks, seven listed, in the mix a card meets: overdue with a
    // date, today without one, dated ahead, undated, dated and today, and a
    // title far too long for any row.
    ReadySnapshot mixed = snapshotOf(9, 7, "green");
    auto& tasks = mixed.tasks;
    tasks[0].title = "Send the invoice";
    tasks[0].flowName = "Finance";
    tasks[0].dueDate = utc(2026, 12, 4, 17);
    tasks[0].isOverdue = true;
    tasks[1].title = "Water the plants";
    tasks[1].flowName = "Home";
    tasks[1].isToday = true;
    tasks[2].title = "Review the quarterly roadmap draft with everyone who asked to be part of it";
    tasks[2].flowName = "Work";
    tasks[2].dueDate = utc(2026, 12, 9, 9);
    tasks[3].title = "Book the dentist";
    tasks[3].flowName = "";
    tasks[4].title = "Pick up the dry cleaning";
    tasks[4].flowName = "Errands";
    tasks[4].dueDate = utc(2026, 12, 5, 16);
    tasks[4].isToday = true;
    ReadySnapshot clear = snapshotOf(0, 0, "blue");
    clear.emptyReason = "allDone";
    const std::pair<const char*, ReadyWidgetState> states[] = {
        {"ready", ReadyWidgetState::ready(mixed)},
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
    rows.push_back({"large-ready-dark", WidgetFamily::systemLarge, ReadyWidgetState::ready(mixed),
                    ColorScheme::dark});
    rows.push_back({"medium-ready-arabic", WidgetFamily::systemMedium,
                    ReadyWidgetState::ready(mixed), ColorScheme::light, "ar",
                    LayoutDirection::rightToLeft});
    const char* update = std::getenv("TANDRY_UPDATE_GOLDEN");
    const bool updating = update != nullptr && std::string_view(update) == "1";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const ScopedLanguage language(row.language);
        const ReadyWidgetView view{row.family, row.scheme, {utc(2026, 12, 5, 9, 30), row.state}};
        const Result<std::string> dump = render::dumpLaidOutTree(
            layOut(view.body(FakeDueDateFormat()), render::cardSize(row.family), row.direction)
                .root);
        ASSERT_TRUE(dump.has_value()) << dump.error();
        const auto golden =
            std::filesystem::path(TANDRY_SOURCE_DIR) / "tests/card/golden" / (row.file + ".json");
        if (updating) {
            std::ofstream(golden, std::ios::binary) << *dump;
            continue;
        }
        std::ifstream in(golden, std::ios::binary);
        EXPECT_EQ(*dump, std::string(std::istreambuf_iterator<char>(in), {}))
            << "differs from (or there is no) " << golden
            << "; if the change is intended, rerun with TANDRY_UPDATE_GOLDEN=1 and review the diff";
    }
}

} // namespace
} // namespace tandry::testing
