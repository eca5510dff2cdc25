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
        Value renderer, debug;
        Value expectedRenderer, expectedDebug;
    } rows[] = {
        {std::nullopt, std::nullopt, "cairo", "gl-disable"},
        // The user's own debugging flags stay on.
        {std::nullopt, "events", "cairo", "events,gl-disable"},
        // A renderer the user chose, even the default one, wins outright.
        {"gl", std::nullopt, "gl", std::nullopt},
        {"", "events", "", "events"},
    };
    const Value savedRenderer = variable("GSK_RENDERER");
    const Value savedDebug = variable("GDK_DEBUG");
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "GSK_RENDERER=" << row.renderer.value_or("(unset)")
                                          << " GDK_DEBUG=" << row.debug.value_or("(unset)"));
        setVariable("GSK_RENDERER", row.renderer);
        setVariable("GDK_DEBUG", row.debug);
        const std::vector<ChangedVariable> changed = chooseLeanRenderer();
        EXPECT_EQ(variable("GSK_RENDERER"), row.expectedRenderer);
        EXPECT_EQ(variable("GDK_DEBUG"), row.expectedDebug);
        // What programs started by the host get back.
        for (const ChangedVariable& restored : changed) {
            EXPECT_EQ(restored.before, restored.name == "GSK_RENDERER" ? row.renderer : row.debug);
        }
        EXPECT_EQ(changed.size(), row.renderer ? 0U : 2U);
    }
    setVariable("GSK_RENDERER", savedRenderer);
    setVariable("GDK_DEBUG", savedDebug);
}

} // namespace
} // namespace tandry
