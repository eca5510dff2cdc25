#include "widget/strings/UserLanguage.h"

#include "tests/strings/CatalogTesting.h"
#include "tests/support/ScopedLanguage.h"
#include "tests/support/TableFile.h"
#include "widget/strings/CatalogDirectory.h"
#include "widget/strings/WidgetStrings.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace tandry {
namespace {

using testing::ScopedLanguage;
using testing::TemporaryDirectory;

// "NAME=value NAME=value", or "-" for none.
std::map<std::string, std::string> environmentOf(const std::string& text) {
    std::map<std::string, std::string> variables;
    std::istringstream in(text == "-" ? "" : text);
    for (std::string setting; in >> setting;) {
        const auto equals = setting.find('=');
        variables[setting.substr(0, equals)] = setting.substr(equals + 1);
    }
    return variables;
}

TEST(UserLanguage, FollowsTheEnvironmentAsDesktopProgramsDo) {
    auto rows = testing::readTableFile(TANDRY_SOURCE_DIR "/tests/strings/data/user-languages.tsv");
    ASSERT_GT(rows.size(), 20u);
    for (const auto& row : rows) {
        SCOPED_TRACE("line " + std::to_string(row.line));
        ASSERT_EQ(row.fields.size(), 5u);
        ScopedLanguage language(environmentOf(row.fields[0]));
        EXPECT_EQ(WidgetStrings::text("widget.header"), row.fields[1]);
        const char* adopted = std::getenv("LANGUAGE");
        ASSERT_NE(adopted, nullptr);
        EXPECT_EQ(adopted, row.fields[2]);
        // A program this one starts inherits the list and must not grow it.
        auto inherited = environmentOf(row.fields[0]);
        inherited["LANGUAGE"] = adopted;
        adoptUserLanguage(Environment(std::map<std::string, std::string, std::less<>>(
            inherited.begin(), inherited.end())));
        EXPECT_EQ(std::getenv("LANGUAGE"), row.fields[2]) << "after adopting again";
        EXPECT_EQ(adoptedLanguage(), row.fields[3]);
        EXPECT_EQ(userLayoutDirection() == LayoutDirection::rightToLeft ? "rtl" : "ltr",
                  row.fields[4]);
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

TEST(UserLanguage, WritesRightToLeftWithAHebrewCatalogOfATranslatorsOwn) {
    TemporaryDirectory catalogs;
    testing::compileUncheckedCatalog(catalogs.path(), "he", "hebrew.po");
    ScopedLanguage hebrew("he", catalogs.path());
    EXPECT_EQ(adoptedLanguage(), "he");
    EXPECT_EQ(userLayoutDirection(), LayoutDirection::rightToLeft);
}

} // namespace
} // namespace tandry
