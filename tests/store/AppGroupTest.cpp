#include "widget/store/AppGroup.h"

#include "tests/support/TableFile.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using testing::TemporaryDirectory;
using testing::writeFile;

TEST(AppGroupIdentifier, ResolvesFromInfoText) {
    auto rows = testing::readTableFile(TANDRY_SOURCE_DIR "/tests/store/data/app-group.tsv");
    ASSERT_GT(rows.size(), 10u);
    for (const auto& row : rows) {
        SCOPED_TRACE("line " + std::to_string(row.line));
        ASSERT_EQ(row.fields.size(), 2u);
        const auto info = row.fields[0] == "-" ? std::nullopt : std::optional(row.fields[0]);
        EXPECT_EQ(resolveAppGroupIdentifier(info),
                  row.fields[1] == "default" ? defaultAppGroupIdentifier : row.fields[1]);
    }
}

TEST(AppGroupIdentifier, ComesFromTheInfoFileTheEnvironmentNamesOrTheInstalledOne) {
    TemporaryDirectory directory;
    const auto info = directory.path() / "Info.json";
    writeFile(info, R"({"MarrowbyAppGroup":"named.group"})");
    const auto named = Environment().with("TANDRY_WIDGET_INFO", info.string());
    EXPECT_EQ(infoFilePath(named), info);
    EXPECT_EQ(SharedContainer::of(named.with("XDG_DATA_HOME", "/data")),
              (SharedContainer{"named.group", "/data/group-containers/named.group"}));

    auto installed = infoFilePath(Environment().with("TANDRY_WIDGET_INFO", ""));
    ASSERT_TRUE(installed.has_value());
    EXPECT_TRUE(installed->string().ends_with("share/tandry-widget/Info.json"));
}

TEST(SharedContainer, LivesUnderTheDataHomeAndIsNeverCreated) {
    TemporaryDirectory data;
    const BaseDirectories directories{.dataHome = data.path()};
    const auto container = sharedContainerPath("group.example", directories);
    EXPECT_EQ(container, data.path() / "group-containers" / "group.example");
    EXPECT_EQ(existingContainer(container), std::nullopt) << "never created";

    std::filesystem::create_directories(*container);
    EXPECT_EQ(existingContainer(container), container);

    writeFile(data.path() / "group-containers" / "plain.file", "");
    EXPECT_EQ(existingContainer(sharedContainerPath("plain.file", directories)), std::nullopt);
    EXPECT_EQ(sharedContainerPath("group.example", BaseDirectories{}), std::nullopt);
}

TEST(SharedContainer, NeverLeavesTheGroupDirectory) {
    const BaseDirectories directories{.dataHome = "/data"};
    const std::string unsafe[] = {"", ".", "..", "a/b", "../share", std::string("a\0b", 3), "/"};
    for (const auto& identifier : unsafe) {
        SCOPED_TRACE(identifier);
        EXPECT_FALSE(isSafePathComponent(identifier));
        EXPECT_EQ(sharedContainerPath(identifier, directories), std::nullopt);
    }
    EXPECT_TRUE(isSafePathComponent("..."));
    EXPECT_TRUE(isSafePathComponent(" a "));
}

} // namespace
} // namespace tandry
