#include "widget/views/ReadyListCard.h"

#include "tests/support/ScopedLanguage.h"
#include "tests/views/ElementQueries.h"
#include "tests/views/ViewFixtures.h"
#include "widget/views/WidgetHeader.h"

#include <gtest/gtest.h>
#include <limits>

namespace tandry::testing {
namespace {

const WidgetPalette palette = WidgetPalette::resolve("orange", ColorScheme::light);

Element cardFor(const ReadySnapshot& snapshot, std::int64_t rows, bool compact) {
    return ReadyListCard{snapshot, palette, rows, compact}.body(FakeDueDateFormat());
}

// The list stack of the card's body and the identities of its rows.
std::vector<Uuid> listedIds(const Element& card) {
    std::vector<Uuid> ids;
    for (const Element* element : allElements(card)) {
        if (const auto* list = std::get_if<IdentifiedList>(&element->content)) {
            for (const IdentifiedElement& item : list->items) {
                ids.push_back(item.id);
            }
        }
    }
    return ids;
}

std::optional<double> rowSpacing(const Element& card) {
    for (const Element* element : allElements(card)) {
        if (const auto* stack = std::get_if<VStack>(&element->content);
            stack && stack->children.size() == 1 &&
            std::holds_alternative<IdentifiedList>(stack->children[0].content)) {
            return stack->spacing;
        }
    }
    return std::nullopt;
}

// The header, count, row titles and more text of a card, in order; rows show
// their title, flow line and nothing else here.
TEST(ReadyListCard, ShowsTheCountRowsAndTheTasksLeftOut) {
    const ScopedLanguage language("en");
    struct Row {
        const char* name;
        std::int64_t total;
        int tasks;
        std::int64_t rows;
        bool compact;
        std::vector<std::string> texts;
        std::optional<double> spacing;
    };
    const std::vector<std::string> seven = {"Task 1", "Flow",   "Task 2", "Flow",   "Task 3",
                                            "Flow",   "Task 4", "Flow",   "Task 5", "Flow",
                                            "Task 6", "Flow",   "Task 7", "Flow"};
    auto with = [](std::vector<std::string> head, std::vector<std::string> rows,
                   std::vector<std::string> tail) {
        head.insert(head.end(), rows.begin(), rows.end());
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const Row table[] = {
        {"total 0 with tasks listed",
         0,
         3,
         7,
         false,
         {"Ready", "All clear", "Nothing is ready right now."},
         std::nullopt},
        {"12 of 8 at 7 rows", 12, 8, 7, false,
         with({"Ready", "12 tasks ready"}, seven, {"5 more tasks"}), 6.0},
        {"12 of 8 at 3 compact rows",
         12,
         8,
         3,
         true,
         {"Ready", "12 tasks ready", "Task 1", "Flow", "Task 2", "Flow", "Task 3", "Flow"},
         4.0},
        {"total equal to the tasks",
         5,
         5,
         7,
         false,
         {"Ready", "5 tasks ready", "Task 1", "Flow", "Task 2", "Flow", "Task 3", "Flow", "Task 4",
          "Flow", "Task 5", "Flow"},
         6.0},
        {"total below the tasks",
         3,
         5,
         7,
         false,
         {"Ready", "3 tasks ready", "Task 1", "Flow", "Task 2", "Flow", "Task 3", "Flow", "Task 4",
          "Flow", "Task 5", "Flow"},
         6.0},
        {"rows 0", 4, 4, 0, false, {"Ready", "4 tasks ready", "4 more tasks"}, 6.0},
        {"one left out", 8, 8, 7, false, with({"Ready", "8 tasks ready"}, seven, {"1 more task"}),
         6.0},
        {"negative total", -2, 2, 7, false, {"Ready", "Task 1", "Flow", "Task 2", "Flow"}, 6.0},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        const Element card = cardFor(snapshotOf(row.total, row.tasks), row.rows, row.compact);
        EXPECT_EQ(stringsOf(card), row.texts);
        EXPECT_EQ(rowSpacing(card), row.spacing);
    }
}

TEST(ReadyListCard, ListsTheFirstTasksInTheSnapshotsOrder) {
    const Element card = cardFor(snapshotOf(12, 8), 7, false);
    const std::vector<Uuid> ids = listedIds(card);
    ASSERT_EQ(ids.size(), 7u);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(ids[i], task(static_cast<unsigned char>(i + 1)).id);
    }
}

TEST(ReadyListCard, ChoosesTheClearMessageByTheEmptyReason) {
    const ScopedLanguage language("en");
    struct Row {
        std::optional<std::string> reason;
        const char* message;
    };
    const Row rows[] = {
        {std::nullopt, "Nothing is ready right now."},
        {"noTasks", "You have no tasks yet."},
        {"allDone", "Everything is done. Well done!"},
        {"allDeferred", "Everything else is deferred for later."},
        {"AllDone", "Nothing is ready right now."},
        {"", "Nothing is ready right now."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason.value_or("(absent)"));
        ReadySnapshot snapshot = snapshotOf(0, 0);
        snapshot.emptyReason = row.reason;
        const std::vector<Text> texts = textsOf(cardFor(snapshot, 3, true));
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[1].font, (Font{13, FontWeight::semibold, FontDesign::standard}));
        EXPECT_EQ(texts[1].color, palette.ink);
        EXPECT_EQ(texts[2].string, row.message);
        EXPECT_EQ(texts[2].font, (Font{11, FontWeight::regular, FontDesign::standard}));
        EXPECT_EQ(texts[2].color, palette.secondary);
    }
}

TEST(ReadyListCard, CountsSafelyAtTheEndsOfTheRange) {
    const ScopedLanguage language("en");
    constexpr auto maximum = std::numeric_limits<std::int64_t>::max();
    constexpr auto minimum = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(stringsOf(cardFor(snapshotOf(maximum, 0), 7, false)),
              (std::vector<std::string>{"Ready", "9223372036854775807 tasks ready",
                                        "9223372036854775807 more tasks"}));
    EXPECT_EQ(stringsOf(cardFor(snapshotOf(maximum, 1), 7, false)).back(),
              "9223372036854775806 more tasks");
    EXPECT_EQ(stringsOf(cardFor(snapshotOf(minimum, 2), 7, false)),
              (std::vector<std::string>{"Ready", "Task 1", "Flow", "Task 2", "Flow"}));
}

} // namespace
} // namespace tandry::testing
