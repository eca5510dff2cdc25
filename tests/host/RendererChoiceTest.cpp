#include "platform/host/RendererChoice.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

using Value = std::optional<std::string>;

TEST(RendererChoice, TakesCairoWithoutOpenGLUnlessTheUserChoseARenderer) {
    const struct {
        unsigned minorVersion;
        Value renderer, flags;
        std::vector<ChangedVariable> expected;
    } rows[] = {
        {8, std::nullopt, std::nullopt,
         {{"GSK_RENDERER", std::nullopt, "cairo"}, {"GDK_DEBUG", std::nullopt, "gl-disable"}}},
        // The user's own flags stay on.
        {8, std::nullopt, "events",
         {{"GSK_RENDERER", std::nullopt, "cairo"}, {"GDK_DEBUG", "events", "events,gl-disable"}}},
        {16, std::nullopt, std::nullopt,
         {{"GSK_RENDERER", std::nullopt, "cairo"}, {"GDK_DISABLE", std::nullopt, "gl"}}},
        {18, std::nullopt, "vulkan",
         {{"GSK_RENDERER", std::nullopt, "cairo"}, {"GDK_DISABLE", "vulkan", "vulkan,gl"}}},
        // A renderer the user chose, even the default one, wins outright.
        {8, "gl", std::nullopt, {}},
        {16, "", "vulkan", {}},
    };
    for (const auto& row : rows) {
        const char* flagsName = row.minorVersion >= 16 ? "GDK_DISABLE" : "GDK_DEBUG";
        SCOPED_TRACE(::testing::Message() << "4." << row.minorVersion << " GSK_RENDERER="
                                          << row.renderer.value_or("(unset)") << ' ' << flagsName
                                          << '=' << row.flags.value_or("(unset)"));
        Environment environment;
        if (row.renderer) {
            environment = environment.with("GSK_RENDERER", *row.renderer);
        }
        if (row.flags) {
            environment = environment.with(flagsName, *row.flags);
        }
        EXPECT_EQ(chooseLeanRenderer(environment, row.minorVersion), row.expected);
    }
}

} // namespace
} // namespace tandry
