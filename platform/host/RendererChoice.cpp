#include "platform/host/RendererChoice.h"

#include <cstdlib>

namespace tandry {
namespace {

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

// Sets `name` to `value` and records what it was.
void change(std::vector<ChangedVariable>& changed, const char* name, const std::string& value) {
    changed.push_back({name, variable(name)});
    setenv(name, value.c_str(), 1);
}

} // namespace

std::vector<ChangedVariable> chooseLeanRenderer() {
    std::vector<ChangedVariable> changed;
    if (variable("GSK_RENDERER")) {
        return changed;
    }
    change(changed, "GSK_RENDERER", "cairo");
    // Other debugging flags the user set stay on.
    const std::optional<std::string> debug = variable("GDK_DEBUG");
    change(changed, "GDK_DEBUG", debug && !debug->empty() ? *debug + ",gl-disable" : "gl-disable");
    return changed;
}

} // namespace tandry
