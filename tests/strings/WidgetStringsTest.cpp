#include "widget/strings/WidgetStrings.h"

#include "tests/strings/CatalogTesting.h"
#include "tests/support/ScopedLanguage.h"
#include "tests/support/TableFile.h"
#include "widget/strings/CatalogDirectory.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using testing::ScopedLanguage;
using testing::TemporaryDirectory;

const char* const shippedLanguages[] = {"en", "de", "fr", "es", "pl", "ja", "ar"};

// Each shipped catalog alone, without English behind it, so that a key the
// language lacks shows as the key. The keys are those of the English catalog.
TEST(WidgetStrings, EveryShippedCatalogHasEveryKey) {
    std::vector<std::string> keys;
    std::istringstream english(
        testing::readWholeFile(TANDRY_SOURCE_DIR "/widget/resources/po/en.po"));
    for (std::string line; std::getline(english, line);) {
        if (line.starts_with("msgid \"widget.") && line.find('%') == std::string::npos) {
            keys.push_back(line.substr(7, line.size() - 8));
        }
    }
    ASSERT_GT(keys.size(), 15u);
    for (const char* language : shippedLanguages) {
        SCOPED_TRACE(language);
        TemporaryDirectory catalogs;
        testing::copyBuiltCatalog(catalogs.path(), language);
        ScopedLanguage scoped(language, catalogs.path());
        for (const auto& key : keys) {
            EXPECT_NE(WidgetStrings::text(key), key);
        }
        for (std::int64_t n : {1, 2, 5, 22}) {
            EXPECT_FALSE(WidgetStrings::count(n).starts_with("widget.")) << n;
            EXPECT_FALSE(WidgetStrings::more(n).starts_with("widget.")) << n;
        }
    }
}

TEST(WidgetStrings, ShowsTextsInTheUserLanguageByItsPluralRules) {
    auto rows = testing::readTableFile(TANDRY_SOURCE_DIR "/tests/strings/data/texts.tsv");
    ASSERT_GT(rows.size(), 70u);
    for (const auto& row : rows) {
        SCOPED_TRACE("line " + std::to_string(row.line));
        ASSERT_EQ(row.fields.size(), 3u);
        ScopedLanguage language(row.fields[0]);
        const auto& what = row.fields[1];
        if (what.starts_with("count ")) {
            EXPECT_EQ(WidgetStrings::count(std::stoll(what.substr(6))), row.fields[2]);
        } else if (what.starts_with("more ")) {
            EXPECT_EQ(WidgetStrings::more(std::stoll(what.substr(5))), row.fields[2]);
        } else if (what.starts_with("clear")) {
            const std::string reason = what.substr(std::min<std::size_t>(what.size(), 6));
            const auto key = WidgetStrings::clearMessageKey(
                reason == "-" ? std::nullopt : std::optional<std::string_view>(reason));
            EXPECT_EQ(WidgetStrings::text(key), row.fields[2]);
        } else {
            EXPECT_EQ(WidgetStrings::text(what), row.fields[2]);
        }
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
    WidgetStrings::useCatalogDirectory(empty.path());
    EXPECT_EQ(WidgetStrings::text("widget.header"), "widget.header");
    EXPECT_EQ(WidgetStrings::count(-4), "widget.count -4");
    EXPECT_EQ(WidgetStrings::more(1), "widget.more 1");
}

TEST(WidgetStrings, FallsBackToEnglishForAKeyTheLanguageLacks) {
    TemporaryDirectory catalogs;
    testing::compileUncheckedCatalog(catalogs.path(), "fr", "header-only-fr.po");
    testing::copyBuiltCatalog(catalogs.path(), "en");
    ScopedLanguage language("fr", catalogs.path());

    EXPECT_EQ(WidgetStrings::text("widget.header"), "En-tête");
    EXPECT_EQ(WidgetStrings::text("widget.row.today"), "Today");
    EXPECT_EQ(WidgetStrings::count(2), "2 tasks ready");
}

TEST(CatalogDirectory, IsShareLocaleBesideTheExecutableUnlessNamedAbsolutely) {
    // A relative directory would depend on the working directory.
    const std::pair<std::optional<std::string>, std::filesystem::path> rows[] = {
        {std::nullopt, testing::builtCatalogDirectory()},
        {"/opt/catalogs", "/opt/catalogs"},
        {"catalogs", testing::builtCatalogDirectory()}};
    for (const auto& [variable, expected] : rows) {
        SCOPED_TRACE(variable.value_or("unset"));
        EXPECT_EQ(catalogDirectory(variable ? Environment{{catalogDirectoryVariable, *variable}}
                                            : Environment()),
                  expected);
    }
}

} // namespace
} // namespace tandry
