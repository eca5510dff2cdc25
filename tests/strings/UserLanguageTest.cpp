#include "widget/strings/UserLanguage.h"

#include "tests/strings/CatalogTesting.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScopedLanguage.h"
#include "widget/strings/CatalogDirectory.h"
#include "widget/strings/WidgetStrings.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

namespace tandry {
namespace {

using testing::ScopedEnvironment;
using testing::ScopedLanguage;
using testing::TemporaryDirectory;

TEST(UserLanguage, FollowsTheEnvironmentAsDesktopProgramsDo) {
    struct Row {
        const char* description;
        std::map<std::string, std::string> environment;
        const char* header;
    };
    const Row rows[] = {
        {"LANGUAGE alone", {{"LANGUAGE", "de"}}, "Bereit"},
        {"LANGUAGE over the plain C locale", {{"LANG", "C"}, {"LANGUAGE", "pl"}}, "Gotowe"},
        {"LANGUAGE over LC_ALL=POSIX", {{"LC_ALL", "POSIX"}, {"LANGUAGE", "fr"}}, "Prêtes"},
        {"LANGUAGE over C.UTF-8", {{"LANG", "C.UTF-8"}, {"LANGUAGE", "ja"}}, "準備完了"},
        {"the first language with a catalog", {{"LANGUAGE", "xx:es:de"}}, "Listas"},
        {"a regional variant", {{"LANGUAGE", "de_AT"}}, "Bereit"},
        {"no language with a catalog", {{"LANGUAGE", "xx"}}, "Ready"},
        {"no language at all", {}, "Ready"},
        {"LANG naming an installed locale", {{"LANG", "de_DE.UTF-8"}}, "Bereit"},
        {"LC_MESSAGES over LANG", {{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "C"}}, "Ready"},
        {"LANG naming a locale that is not installed", {{"LANG", "ar_ZZ.UTF-8"}}, "جاهزة"},
        {"LC_ALL naming nothing real", {{"LC_ALL", "xx_YY.UTF-8"}}, "Ready"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.description);
        ScopedLanguage language(row.environment);
        EXPECT_EQ(WidgetStrings::text("widget.header"), row.header);
    }
}

TEST(UserLanguage, UsesAnInstalledLocaleItself) {
    ScopedLanguage language(std::map<std::string, std::string>{{"LANG", "de_DE.UTF-8"}});
    ASSERT_STREQ(std::setlocale(LC_MESSAGES, nullptr), "de_DE.UTF-8")
        << "the locale de_DE.UTF-8 is not installed; scripts/install-deps generates it";
    EXPECT_EQ(WidgetStrings::count(5), "5 Aufgaben bereit");
    // Numbers keep the C conventions whatever the language.
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
}

TEST(UserLanguage, EndsTheLanguageListWithEnglishOnce) {
    struct Row {
        std::map<std::string, std::string> environment;
        const char* languages;
    };
    const Row rows[] = {
        {{{"LANGUAGE", "de"}}, "de:en"},
        {{{"LANGUAGE", "ja:de"}}, "ja:de:en"},
        {{{"LANGUAGE", "de:en"}}, "de:en"},
        {{{"LANGUAGE", "en"}}, "en"},
        {{}, "en"},
        {{{"LANG", "C"}}, "en"},
        {{{"LANG", "pl_PL.UTF-8"}}, "pl_PL.UTF-8:en"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.languages);
        ScopedLanguage language(row.environment);
        const char* adopted = std::getenv("LANGUAGE");
        ASSERT_NE(adopted, nullptr);
        EXPECT_STREQ(adopted, row.languages);
        adoptUserLanguage();
        EXPECT_STREQ(std::getenv("LANGUAGE"), row.languages) << "after adopting again";
    }
}

TEST(UserLanguage, WritesInTheDirectionOfTheAdoptedLanguage) {
    struct Row {
        const char* languages;
        const char* adopted;
        LayoutDirection direction;
    };
    const Row rows[] = {
        {"ar", "ar", LayoutDirection::rightToLeft},
        {"de", "de", LayoutDirection::leftToRight},
        {"xx:ar", "ar", LayoutDirection::rightToLeft},
        // Persian is written right to left, but without a catalog of its own
        // the card is in English, and so runs left to right.
        {"fa", "en", LayoutDirection::leftToRight},
        {"fa:de", "de", LayoutDirection::leftToRight},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.languages);
        ScopedLanguage language(row.languages);
        EXPECT_EQ(adoptedLanguage(), row.adopted);
        EXPECT_EQ(userLayoutDirection(), row.direction);
    }

    // A Hebrew catalog of a translator's own makes the card run right to left.
    TemporaryDirectory catalogs;
    testing::compileUncheckedCatalog(catalogs.path(), "he", "hebrew.po");
    ScopedEnvironment directory(catalogDirectoryVariable, catalogs.path().string());
    ScopedLanguage hebrew("he");
    EXPECT_EQ(adoptedLanguage(), "he");
    EXPECT_EQ(userLayoutDirection(), LayoutDirection::rightToLeft);
}

} // namespace
} // namespace tandry
