#include "tests/strings/CatalogTesting.h"
#include "tests/support/ScopedLanguage.h"
#include "tests/support/TableFile.h"
#include "widget/strings/CatalogDirectory.h"
#include "widget/strings/WidgetStrings.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using testing::ScopedLanguage;
using testing::TemporaryDirectory;

// Catalogs compiled without checks: counted texts that printf would misread
// (data/hostile-counts.po), and texts that are not UTF-8 (data/not-utf8.po,
// whose "@@" become bytes that no UTF-8 text holds once msgfmt has run, as
// msgfmt refuses them). Each has one harmless text, which shows.
TEST(CatalogSafety, UnsafeOrBrokenTextsFallBackToTheKey) {
    for (const char* po : {"hostile-counts.po", "not-utf8.po"}) {
        SCOPED_TRACE(po);
        TemporaryDirectory catalogs;
        testing::compileUncheckedCatalog(catalogs.path(), "xx", po);
        auto file = testing::catalogFile(catalogs.path(), "xx");
        auto bytes = testing::readWholeFile(file);
        for (auto at = bytes.find("@@"); at != std::string::npos; at = bytes.find("@@", at)) {
            bytes.replace(at, 2, "\xFF\xFE");
        }
        testing::writeFile(file, bytes);
        ScopedLanguage language("xx", catalogs.path());

        ASSERT_EQ(WidgetStrings::text("widget.row.today"), "Today");
        EXPECT_EQ(WidgetStrings::text("widget.header"), "widget.header");
        for (std::int64_t n : {1, 5}) {
            EXPECT_EQ(WidgetStrings::count(n), "widget.count " + std::to_string(n));
            EXPECT_EQ(WidgetStrings::more(n), "widget.more " + std::to_string(n));
        }
    }
}

// The build compiles every catalog with the same command; it must refuse a
// shipped catalog once a counted text in it takes anything but one integer.
TEST(CatalogSafety, TheBuildRefusesUnsafeCountedTexts) {
    const auto shipped = testing::readWholeFile(TANDRY_SOURCE_DIR "/widget/resources/po/de.po");
    const std::string original = "\"%lld Aufgaben bereit\"";
    ASSERT_NE(shipped.find(original), std::string::npos);
    auto rows = testing::readTableFile(TANDRY_SOURCE_DIR
                                       "/tests/strings/data/counted-texts-for-msgfmt.tsv");
    ASSERT_GT(rows.size(), 5u);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fields[0]);
        ASSERT_EQ(row.fields.size(), 2u);
        TemporaryDirectory work;
        auto changed = shipped;
        changed.replace(changed.find(original), original.size(), row.fields[0]);
        testing::writeFile(work.path() / "de.po", changed);
        auto command = testing::buildMsgfmtCommand();
        command.push_back("--output-file=" + (work.path() / "de.mo").string());
        command.push_back((work.path() / "de.po").string());
        auto result = testing::runCommand(command);
        EXPECT_EQ(result.exitStatus == 0 ? "accepted" : "refused", row.fields[1])
            << result.standardError;
    }
}

} // namespace
} // namespace tandry
