#include "platform/host/RendererChoice.h"

#include <cstdlib>

namespace tandry {
namespace {

std::optional<std::string> variable(const Environment& environment, const char* name) {
    auto value = environment.value(name);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

} // namespace

std::vector<ChangedVariable> chooseLeanRenderer(const Environment& environment,
                                                unsigned toolkitMinorVersion) {
    if (environment.value("GSK_RENDERER")) {
        return {};
    }
    // The toolkit moved the switch from its debugging flags to GDK_DISABLE
    // in 4.16 and warns about the old one since. Flags the user set stay on.
    const bool disableList = toolkitMinorVersion >= 16;
    const char* name = disableList ? "GDK_DISABLE" : "GDK_DEBUG";
    const std::string flag = disableList ? "gl" : "gl-disable";
    const std::optional<std::string> flags = variable(environment, name);
    return {
        {"GSK_RENDERER", std::nullopt, "cairo"},
        {name, flags, flags && !flags->empty() ? *flags + "," + flag : flag},
    };
}

void applyToProcess(const std::vector<ChangedVariable>& changes) {
    for (const ChangedVariable& change : changes) {
        ::setenv(change.name.c_str(), change.after.c_str(), 1);
    }
}

} // namespace tandry
