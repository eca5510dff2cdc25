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

std::vector<ChangedVariable> chooseLeanRenderer(unsigned toolkitMinorVersion) {
    std::vector<ChangedVariable> changed;
    if (variable("GSK_RENDERER")) {
        return changed;
    }
    change(changed, "GSK_RENDERER", "cairo");
    // The toolkit moved the switch from its debugging flags to GDK_DISABLE
    // in 4.16 and warns about the old one since. Flags the user set stay on.
    const bool disableList = toolkitMinorVersion >= 16;
    const char* name = disableList ? "GDK_DISABLE" : "GDK_DEBUG";
    const std::string flag = disableList ? "gl" : "gl-disable";
    const std::optional<std::string> flags = variable(name);
    change(changed, name, flags && !flags->empty() ? *flags + "," + flag : flag);
    return changed;
}

} // namespace tandry
