#include "platform/render/LayoutDirection.h"

#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>
#include <optional>

namespace tandry::testing {
namespace {

using render::LayoutDirection;

TEST(LayoutDirection, ComesFromTheLocalesLanguage) {
    struct Row {
        const char* locale;
        LayoutDirection expected;
    };
    const Row rows[] = {
        {"ar_EG.UTF-8", LayoutDirection::rightToLeft},
        {"he", LayoutDirection::rightToLeft},
        {"fa_IR@calendar=persian", LayoutDirection::rightToLeft},
        {"ur-PK", LayoutDirection::rightToLeft},
        {"AR", LayoutDirection::rightToLeft},
        {"en_US.UTF-8", LayoutDirection::leftToRight},
        {"de", LayoutDirection::leftToRight},
        // Languages that merely start like a right-to-left code.
        {"arn_CL", LayoutDirection::leftToRight},
        {"her", LayoutDirection::leftToRight},
        {"C", LayoutDirection::leftToRight},
        {"", LayoutDirection::leftToRight},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.locale);
        EXPECT_EQ(render::layoutDirectionForLocale(row.locale), row.expected);
    }
}

TEST(LayoutDirection, FollowsTheEnvironmentInGettextsOrder) {
    using Value = std::optional<std::string>;
    struct Row {
        const char* name;
        Value language;
        Value all;
        Value messages;
        Value lang;
        LayoutDirection expected;
    };
    const Row rows[] = {
        {"LANG alone", {}, {}, {}, "he_IL.UTF-8", LayoutDirection::rightToLeft},
        {"LC_MESSAGES over LANG",
         {},
         {},
         "en_GB.UTF-8",
         "ar_SA.UTF-8",
         LayoutDirection::leftToRight},
        {"LC_ALL over LC_MESSAGES",
         {},
         "ar_SA.UTF-8",
         "en_GB.UTF-8",
         {},
         LayoutDirection::rightToLeft},
        {"first entry of LANGUAGE", "ar:en", {}, {}, "en_US.UTF-8", LayoutDirection::rightToLeft},
        {"LANGUAGE ignored under the C locale", "ar", "C", {}, {}, LayoutDirection::leftToRight},
        {"LANGUAGE ignored with no locale set", "he", {}, {}, {}, LayoutDirection::leftToRight},
        {"nothing set", {}, {}, {}, {}, LayoutDirection::leftToRight},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScopedEnvironment language("LANGUAGE", row.language);
        ScopedEnvironment all("LC_ALL", row.all);
        ScopedEnvironment messages("LC_MESSAGES", row.messages);
        ScopedEnvironment lang("LANG", row.lang);
        EXPECT_EQ(render::layoutDirectionFromEnvironment(), row.expected);
    }
}

} // namespace
} // namespace tandry::testing
