#include "widget/strings/WidgetStrings.h"

#include "tests/strings/CatalogTesting.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScopedLanguage.h"
#include "widget/strings/CatalogDirectory.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using testing::ScopedEnvironment;
using testing::ScopedLanguage;
using testing::TemporaryDirectory;

// Every key that WidgetStrings::text looks up or that the hosts resolve.
const char* const plainKeys[] = {
    "widget.display_name",
    "widget.description",
    "widget.header",
    "widget.empty.title",
    "widget.stale.title",
    "widget.clear.title",
    "widget.clear.message",
    "widget.clear.message.noTasks",
    "widget.clear.message.allDone",
    "widget.clear.message.allDeferred",
    "widget.row.today",
    "widget.row.tick",
    "widget.placeholder.task1",
    "widget.placeholder.task2",
    "widget.placeholder.task3",
    "widget.placeholder.task4",
    "widget.placeholder.flow1",
    "widget.placeholder.flow2",
    "widget.intent.tick",
    "widget.intent.parameter.task",
};

const char* const shippedLanguages[] = {"en", "de", "fr", "es", "pl", "ja", "ar"};

TEST(WidgetStrings, ClearMessageKeyFollowsTheExactReason) {
    struct Row {
        std::optional<std::string_view> reason;
        std::string_view expected;
    };
    const Row rows[] = {
        {std::nullopt, "widget.clear.message"},
        {"noTasks", "widget.clear.message.noTasks"},
        {"allDone", "widget.clear.message.allDone"},
        {"allDeferred", "widget.clear.message.allDeferred"},
        {"alldone", "widget.clear.message"},
        {"ALLDONE", "widget.clear.message"},
        {"AllDone", "widget.clear.message"},
        {"NoTasks", "widget.clear.message"},
        {"allDeferred ", "widget.clear.message"},
        {"", "widget.clear.message"},
        {"somethingElse", "widget.clear.message"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason ? "\"" + std::string(*row.reason) + "\"" : "absent");
        EXPECT_EQ(WidgetStrings::clearMessageKey(row.reason), row.expected);
    }
}

// Each shipped catalog alone, without English behind it, so that a key the
// language lacks shows as the key.
TEST(WidgetStrings, EveryShippedCatalogHasEveryKey) {
    for (const char* language : shippedLanguages) {
        SCOPED_TRACE(language);
        TemporaryDirectory catalogs;
        auto target = testing::catalogFile(catalogs.path(), language);
        std::filesystem::create_directories(target.parent_path());
        std::filesystem::copy_file(testing::catalogFile(testing::builtCatalogDirectory(), language),
                                   target);
        ScopedEnvironment directory(catalogDirectoryVariable, catalogs.path().string());
        ScopedLanguage scoped(language);
        for (const char* key : plainKeys) {
            EXPECT_NE(WidgetStrings::text(key), key);
        }
        for (std::int64_t n : {1, 2, 5, 22}) {
            EXPECT_FALSE(WidgetStrings::count(n).starts_with("widget.")) << n;
            EXPECT_FALSE(WidgetStrings::more(n).starts_with("widget.")) << n;
        }
    }
}

TEST(WidgetStrings, ShowsTextsInTheUserLanguage) {
    struct Row {
        const char* language;
        const char* header;
        const char* task1;
    };
    const Row rows[] = {
        {"en", "Ready", "Send the quarterly report"},
        {"de", "Bereit", "Quartalsbericht senden"},
        {"fr", "Prêtes", "Envoyer le rapport trimestriel"},
        {"es", "Listas", "Enviar el informe trimestral"},
        {"pl", "Gotowe", "Wyślij raport kwartalny"},
        {"ja", "準備完了", "四半期レポートを送る"},
        {"ar", "جاهزة", "إرسال التقرير الفصلي"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.language);
        ScopedLanguage language(row.language);
        EXPECT_EQ(WidgetStrings::text("widget.header"), row.header);
        EXPECT_EQ(WidgetStrings::text("widget.placeholder.task1"), row.task1);
    }
}

TEST(WidgetStrings, CountedTextsFollowEachLanguagesPluralRules) {
    struct Row {
        const char* language;
        std::int64_t n;
        const char* count;
        const char* more;
    };
    const Row rows[] = {
        {"en", 0, "0 tasks ready", "0 more tasks"},
        {"en", 1, "1 task ready", "1 more task"},
        {"en", 2, "2 tasks ready", "2 more tasks"},
        {"en", 5, "5 tasks ready", "5 more tasks"},
        {"en", 22, "22 tasks ready", "22 more tasks"},
        {"en", -1, "-1 task ready", "-1 more task"},
        {"en", -5, "-5 tasks ready", "-5 more tasks"},
        // Polish: one, a few (2-4, 22-24, but not 12-14), many.
        {"pl", 0, "0 zadań gotowych", "jeszcze 0 zadań"},
        {"pl", 1, "1 zadanie gotowe", "jeszcze 1 zadanie"},
        {"pl", 2, "2 zadania gotowe", "jeszcze 2 zadania"},
        {"pl", 5, "5 zadań gotowych", "jeszcze 5 zadań"},
        {"pl", 12, "12 zadań gotowych", "jeszcze 12 zadań"},
        {"pl", 22, "22 zadania gotowe", "jeszcze 22 zadania"},
        {"pl", -2, "-2 zadania gotowe", "jeszcze -2 zadania"},
        {"pl", -5, "-5 zadań gotowych", "jeszcze -5 zadań"},
        // Arabic: zero, one, two, a few (3-10), many (11-99), other; the
        // catalog words zero, one, many and other alike.
        {"ar", 0, "0 مهمة جاهزة", "0 مهمة أخرى"},
        {"ar", 1, "1 مهمة جاهزة", "1 مهمة أخرى"},
        {"ar", 2, "2 مهمتان جاهزتان", "2 مهمتان أخريان"},
        {"ar", 5, "5 مهام جاهزة", "5 مهام أخرى"},
        {"ar", 22, "22 مهمة جاهزة", "22 مهمة أخرى"},
        {"ar", 103, "103 مهام جاهزة", "103 مهام أخرى"},
        {"ar", -2, "-2 مهمتان جاهزتان", "-2 مهمتان أخريان"},
        {"ar", -5, "-5 مهام جاهزة", "-5 مهام أخرى"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.language) + " " + std::to_string(row.n));
        ScopedLanguage language(row.language);
        EXPECT_EQ(WidgetStrings::count(row.n), row.count);
        EXPECT_EQ(WidgetStrings::more(row.n), row.more);
    }
}

TEST(WidgetStrings, ShowsTheKeyWhereTheCatalogHasNoText) {
    ScopedLanguage language("de");
    EXPECT_EQ(WidgetStrings::text("widget.no.such.key"), "widget.no.such.key");
    // gettext would answer the empty key with the catalog's header.
    EXPECT_EQ(WidgetStrings::text(""), "");
    // A C string would end at the NUL and find "widget.header".
    std::string_view withNul("widget.header\0x", 15);
    EXPECT_EQ(WidgetStrings::text(withNul), withNul);

    TemporaryDirectory empty;
    ScopedEnvironment directory(catalogDirectoryVariable, empty.path().string());
    EXPECT_EQ(WidgetStrings::text("widget.header"), "widget.header");
    EXPECT_EQ(WidgetStrings::count(3), "widget.count 3");
    EXPECT_EQ(WidgetStrings::more(1), "widget.more 1");
    EXPECT_EQ(WidgetStrings::count(-4), "widget.count -4");
}

TEST(WidgetStrings, FallsBackToEnglishForAKeyTheLanguageLacks) {
    TemporaryDirectory catalogs;
    testing::compileUncheckedCatalog(catalogs.path(), "fr",
                                     std::string(testing::twoFormHeader) +
                                         "\nmsgid \"widget.header\"\nmsgstr \"En-tête\"\n");
    auto english = testing::catalogFile(catalogs.path(), "en");
    std::filesystem::create_directories(english.parent_path());
    std::filesystem::copy_file(testing::catalogFile(testing::builtCatalogDirectory(), "en"),
                               english);
    ScopedEnvironment directory(catalogDirectoryVariable, catalogs.path().string());
    ScopedLanguage language("fr");

    EXPECT_EQ(WidgetStrings::text("widget.header"), "En-tête");
    EXPECT_EQ(WidgetStrings::text("widget.row.today"), "Today");
    EXPECT_EQ(WidgetStrings::count(2), "2 tasks ready");
}

TEST(CatalogDirectory, IsShareLocaleBesideTheExecutableUnlessNamed) {
    {
        ScopedEnvironment unset(catalogDirectoryVariable, std::nullopt);
        EXPECT_EQ(catalogDirectory(), testing::builtCatalogDirectory());
    }
    {
        ScopedEnvironment named(catalogDirectoryVariable, "/opt/catalogs");
        EXPECT_EQ(catalogDirectory(), std::filesystem::path("/opt/catalogs"));
    }
    {
        // A relative directory would depend on the working directory.
        ScopedEnvironment relative(catalogDirectoryVariable, "catalogs");
        EXPECT_EQ(catalogDirectory(), testing::builtCatalogDirectory());
    }
}

} // namespace
} // namespace tandry
