#include "widget/system/BaseDirectories.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace tandry {
namespace {

TEST(BaseDirectories, FollowTheVariablesWhenAbsoluteElseTheHome) {
    const struct {
        const char* name;
        Environment environment;
        BaseDirectories expected;
    } rows[] = {
        {"defaults under HOME",
         Environment{{"HOME", "/home/ann"}},
         {"/home/ann/.local/share", "/home/ann/.config", "/home/ann/.local/state"}},
        {"each variable on its own",
         Environment{{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "/etc/ann"}},
         {"/home/ann/.local/share", "/etc/ann", "/home/ann/.local/state"}},
        {"all three set, no home needed",
         Environment{{"XDG_DATA_HOME", "/d"}, {"XDG_CONFIG_HOME", "/c"}, {"XDG_STATE_HOME", "/s"}},
         {"/d", "/c", "/s"}},
        {"a relative value is ignored",
         Environment{{"HOME", "/home/ann"},
                      {"XDG_DATA_HOME", "relative/data"},
                      {"XDG_CONFIG_HOME", "./config"},
                      {"XDG_STATE_HOME", ""}},
         {"/home/ann/.local/share", "/home/ann/.config", "/home/ann/.local/state"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(BaseDirectories::from(row.environment), row.expected);
    }
}

// Without an absolute HOME the password database names the home, as it does
// for a service started without one.
TEST(BaseDirectories, WithoutHomeComeFromThePasswordDatabase) {
    const passwd* entry = ::getpwuid(::getuid());
    ASSERT_NE(entry, nullptr);
    const std::filesystem::path home(entry->pw_dir);
    const BaseDirectories expected{home / ".local/share", home / ".config", home / ".local/state"};
    EXPECT_EQ(BaseDirectories::from(Environment()), expected);
    EXPECT_EQ(BaseDirectories::from(Environment{{"HOME", "relative"}}), expected);
}

} // namespace
} // namespace tandry
