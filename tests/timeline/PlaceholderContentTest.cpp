#include "widget/timeline/PlaceholderContent.h"

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScopedLanguage.h"
#include "tests/support/SettableClock.h"
#include "tests/support/TemporaryDirectory.h"
#include "tests/timeline/ScopedTimeZone.h"
#include "widget/strings/CatalogDirectory.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tandry {
namespace {

using namespace std::chrono;
using testing::ScopedLanguage;
using testing::ScopedTimeZone;
using testing::SettableClock;

Instant utc(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
    return Instant{sys_days{year{y} / month{m} / day{d}} + hours{hh} + minutes{mm} + seconds{ss}};
}

struct ExpectedTask {
    std::string title;
    std::string flowName;
};

// Everything about the sample card but its texts and ids, which the rows give.
void expectSampleStructure(const ReadySnapshot& snapshot, Instant now,
                           const std::vector<ExpectedTask>& texts) {
    EXPECT_EQ(snapshot.validUntil, distantFuture());
    EXPECT_EQ(snapshot.total, 4);
    EXPECT_EQ(snapshot.paletteRaw, "violet");
    EXPECT_EQ(snapshot.emptyReason, std::nullopt);
    ASSERT_EQ(snapshot.tasks.size(), 4u);
    ASSERT_EQ(texts.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE("task " + std::to_string(i + 1));
        const auto& task = snapshot.tasks[i];
        EXPECT_EQ(task.title, texts[i].title);
        EXPECT_EQ(task.flowName, texts[i].flowName);
        EXPECT_EQ(task.priorityRaw, "none");
        EXPECT_EQ(task.isOverdue, i == 0);
        EXPECT_EQ(task.isToday, i == 1);
        EXPECT_EQ(task.dueDate, i == 0 ? std::optional<Instant>(now - days{1}) : std::nullopt);
    }
}

TEST(PlaceholderSnapshot, IsTheSampleCardInTheUsersLanguage) {
    ScopedTimeZone zone("UTC");
    const auto now = utc(2026, 12, 5, 9, 30, 0);
    struct Row {
        const char* language;
        std::vector<ExpectedTask> tasks;
    };
    const Row rows[] = {
        {"en",
         {{"Send the quarterly report", "Work"},
          {"Book the team lunch", "Work"},
          {"Review the design draft", "Home"},
          {"Water the plants", "Home"}}},
        {"de",
         {{"Quartalsbericht senden", "Arbeit"},
          {"Teamessen buchen", "Arbeit"},
          {"Designentwurf prüfen", "Zuhause"},
          {"Pflanzen gießen", "Zuhause"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.language);
        ScopedLanguage language(row.language);
        SettableClock clock(now);
        expectSampleStructure(placeholderSnapshot(clock), now, row.tasks);
    }
}

TEST(PlaceholderSnapshot, KeepsItsShapeWithACatalogThatLacksItsKeys) {
    ScopedTimeZone zone("UTC");
    testing::TemporaryDirectory empty;
    testing::ScopedEnvironment directory(catalogDirectoryVariable, empty.path().string());
    ScopedLanguage language("de");
    const auto now = utc(2026, 12, 5, 9, 30, 0);
    SettableClock clock(now);
    expectSampleStructure(placeholderSnapshot(clock), now,
                          {{"widget.placeholder.task1", "widget.placeholder.flow1"},
                           {"widget.placeholder.task2", "widget.placeholder.flow1"},
                           {"widget.placeholder.task3", "widget.placeholder.flow2"},
                           {"widget.placeholder.task4", "widget.placeholder.flow2"}});
}

TEST(PlaceholderSnapshot, IsBuiltAfreshWithNewIdsEachTime) {
    ScopedTimeZone zone("UTC");
    ScopedLanguage language("en");
    SettableClock clock(utc(2026, 12, 5, 9, 30, 0));
    auto first = placeholderSnapshot(clock);
    auto second = placeholderSnapshot(clock);
    ASSERT_EQ(first.tasks.size(), second.tasks.size());
    std::vector<Uuid> ids;
    for (std::size_t i = 0; i < first.tasks.size(); ++i) {
        ids.push_back(first.tasks[i].id);
        ids.push_back(second.tasks[i].id);
        auto sameApartFromId = second.tasks[i];
        sameApartFromId.id = first.tasks[i].id;
        EXPECT_EQ(sameApartFromId, first.tasks[i]);
    }
    std::sort(ids.begin(), ids.end(),
              [](const Uuid& a, const Uuid& b) { return a.bytes < b.bytes; });
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()) << "an id came twice";

    // The due date follows the clock.
    SettableClock later(utc(2027, 1, 1, 0, 0, 0));
    EXPECT_EQ(placeholderSnapshot(later).tasks[0].dueDate, utc(2026, 12, 31, 0, 0, 0));
}

TEST(PlaceholderItem, DatesAnOverdueTaskOneCalendarDayBack) {
    ScopedLanguage language("en");
    ScopedTimeZone zone("Europe/Berlin");
    SettableClock clock(utc(2026, 3, 29, 12, 0, 0));
    auto item = placeholderItem("widget.placeholder.task3", "widget.placeholder.flow2",
                                Overdue::yes, clock);
    // 23 hours back: the clocks went forward that night.
    EXPECT_EQ(item.dueDate, utc(2026, 3, 28, 13, 0, 0));
    EXPECT_TRUE(item.isOverdue);
    EXPECT_FALSE(item.isToday);
    EXPECT_EQ(item.title, "Review the design draft");
    EXPECT_EQ(item.flowName, "Home");
}

TEST(PlaceholderItem, MarksTodayByTheTitleKeysLastCharacter) {
    ScopedLanguage language("en");
    SettableClock clock(utc(2026, 12, 5, 9, 30, 0));
    struct Row {
        const char* titleKey;
        Overdue overdue;
        bool isToday;
    };
    const Row rows[] = {
        {"widget.placeholder.task2", Overdue::no, true},
        {"widget.placeholder.task12", Overdue::no, true},
        {"2", Overdue::no, true},
        {"widget.placeholder.task1", Overdue::no, false},
        {"widget.placeholder.task2 ", Overdue::no, false},
        {"", Overdue::no, false},
        {"widget.placeholder.task2", Overdue::yes, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("\"") + row.titleKey + "\"");
        auto item = placeholderItem(row.titleKey, "widget.placeholder.flow1", row.overdue, clock);
        EXPECT_EQ(item.isToday, row.isToday);
        EXPECT_EQ(item.isOverdue, row.overdue == Overdue::yes);
        EXPECT_EQ(item.dueDate.has_value(), row.overdue == Overdue::yes);
    }
}

} // namespace
} // namespace tandry
