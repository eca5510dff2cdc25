#include "platform/host/RendererChoice.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace tandry {
namespace {

using Value = std::optional<std::string>;

void setVariable(const char* name, const Value& value) {
    if (value) {
        setenv(name, value->c_str(), 1);
    } else {
        unsetenv(name);
    }
}

Value variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? Value(value) : std::nullopt;
}

TEST(RendererChoice, TakesCairoWithoutOpenGLUnlessTheUserChoseARenderer) {
    const struct {
        unsigned minorVersion;
        Value renderer, flags;
        Value expectedRenderer, expectedFlags;
    } rows[] = {
        {8, std::nullopt, std::nullopt, "cairo", "gl-disable"},
        // The user's own flags stay on.
        {8, std::nullopt, "events", "cairo", "events,gl-disable"},
        {16, std::nullopt, std::nullopt, "cairo", "gl"},
        {18, std::nullopt, "vulkan", "cairo", "vulkan,gl"},
        // A renderer the user chose, even the default one, wins outright.
        {8, "gl", std::nullopt, "gl", std::nullopt},
        {16, "", "vulkan", "", "vulkan"},
    };
    const char* names[] = {"GSK_RENDERER", "GDK_DEBUG", "GDK_DISABLE"};
    std::vector<Value> saved;
    for (const char* name : names) {
        saved.push_back(variable(name));
        unsetenv(name);
    }
    for (const auto& row : rows) {
        const char* flagsName = row.minorVersion >= 16 ? "GDK_DISABLE" : "GDK_DEBUG";
        SCOPED_TRACE(::testing::Message() << "4." << row.minorVersion << " GSK_RENDERER="
                                          << row.renderer.value_or("(unset)") << ' ' << flagsName
                                          << '=' << row.flags.value_or("(unset)"));
        setVariable("GSK_RENDERER", row.renderer);
        setVariable(flagsName, row.flags);
        const std::vector<ChangedVariable> changed = chooseLeanRenderer(row.minorVersion);
        EXPECT_EQ(variable("GSK_RENDERER"), row.expectedRenderer);
        EXPECT_EQ(variable(flagsName), row.expectedFlags);
        // What programs started by the host get back.
        for (const ChangedVariable& restored : changed) {
            EXPECT_EQ(restored.before, restored.name == "GSK_RENDERER" ? row.renderer : row.flags);
        }
        EXPECT_EQ(changed.size(), row.renderer ? 0U : 2U);
        unsetenv(flagsName);
    }
    for (std::size_t i = 0; i < saved.size(); ++i) {
        setVariable(names[i], saved[i]);
    }
}

} // namespace
} // namespace tandry
