#include "widget/store/AppGroup.h"

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TableFile.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace tandry {
namespace {

using testing::ScopedEnvironment;
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

TEST(AppGroupIdentifier, IsResolvedOnceForTheProcess) {
    TemporaryDirectory directory;
    writeFile(directory.path() / "Info.json", R"({"MarrowbyAppGroup":"first.group"})");
    ScopedEnvironment info("TANDRY_WIDGET_INFO", (directory.path() / "Info.json").string());

    const std::string first = appGroupIdentifier();
    writeFile(directory.path() / "Info.json", R"({"MarrowbyAppGroup":"second.group"})");
    EXPECT_EQ(appGroupIdentifier(), first);
}

// TANDRY_WIDGET_INFO names the file when set (the command line tests use it).
TEST(AppGroupIdentifier, InfoFileIsInstalledBesideTheExecutable) {
    ScopedEnvironment unset("TANDRY_WIDGET_INFO", std::nullopt);
    auto installed = infoFilePath();
    ASSERT_TRUE(installed.has_value());
    EXPECT_TRUE(installed->string().ends_with("share/tandry-widget/Info.json"));
}

TEST(SharedContainer, LivesUnderTheDataHomeOrElseUnderHome) {
    TemporaryDirectory data;
    ScopedEnvironment dataHome("XDG_DATA_HOME", data.path().string());
    EXPECT_EQ(sharedContainerLocation("group.example"), std::nullopt) << "never created";

    std::filesystem::create_directories(data.path() / "group-containers" / "group.example");
    EXPECT_EQ(sharedContainerLocation("group.example"),
              data.path() / "group-containers" / "group.example");

    writeFile(data.path() / "group-containers" / "plain.file", "");
    EXPECT_EQ(sharedContainerLocation("plain.file"), std::nullopt);

    // A relative data home is ignored for the one under HOME.
    ScopedEnvironment homeVariable("HOME", data.path().string());
    ScopedEnvironment relative("XDG_DATA_HOME", "relative/path");
    auto container = data.path() / ".local/share/group-containers/group.example";
    std::filesystem::create_directories(container);
    EXPECT_EQ(sharedContainerLocation("group.example"), container);
}

TEST(SharedContainer, NeverLeavesTheGroupDirectory) {
    TemporaryDirectory data;
    ScopedEnvironment dataHome("XDG_DATA_HOME", (data.path() / "share").string());
    std::filesystem::create_directories(data.path() / "share" / "group-containers" / "a" / "b");
    const std::string unsafe[] = {"", ".", "..", "a/b", "../share", std::string("a\0b", 3), "/"};
    for (const auto& identifier : unsafe) {
        SCOPED_TRACE(identifier);
        EXPECT_FALSE(isSafePathComponent(identifier));
        EXPECT_EQ(sharedContainerLocation(identifier), std::nullopt);
    }
    EXPECT_TRUE(isSafePathComponent("..."));
    EXPECT_TRUE(isSafePathComponent(" a "));
}

TEST(SharedContainer, WithoutHomeOrDataHomeComesFromThePasswordDatabase) {
    ScopedEnvironment home("HOME", std::nullopt);
    ScopedEnvironment dataHome("XDG_DATA_HOME", std::nullopt);
    const passwd* entry = ::getpwuid(::getuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(sharedContainerPath("group.example"),
              std::filesystem::path(entry->pw_dir) / ".local/share/group-containers/group.example");
}

} // namespace
} // namespace tandry
